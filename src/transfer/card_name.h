#pragma once

#include <string>
#include <string_view>

namespace kadoru {

// Whether the drive's file system holds only names that FAT and exFAT can hold:
// their drivers refuse " * / : < > ? \ | and control characters, or write them into
// a folder that other systems then call damaged, and drop trailing dots and spaces.
bool holds_only_card_names(std::string_view file_system_type);

// Whether two names name one entry of a folder: letter case ignored where the file
// system ignores it (names_ignore_case: FAT and exFAT), byte for byte elsewhere.
bool same_entry_name(std::string_view a, std::string_view b, bool names_ignore_case);

// The name a song is written under on such a card (UTF-8 in, UTF-8 out): each
// forbidden character becomes its full-width form, control characters go, trailing
// dots and spaces go, and a name then longer than 255 UTF-16 units is shortened,
// keeping its extension. A name left empty becomes "_". A name the card can hold
// comes back as it is.
std::string card_name(std::string_view name);

} // namespace kadoru
