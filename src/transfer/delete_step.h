#pragma once

#include "platform/card_files.h"

#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

struct CheckedSource;

// Whether the name's last three characters, in upper case, are exactly the type
// text. No dot is needed ("xmp3" is an MP3); a name of fewer than three characters
// never matches. Characters, not bytes, count, so Japanese names work.
bool has_type_suffix(std::string_view name, std::string_view type_text);

// The files of the listing that the delete step deletes, in the order of the
// listing: those of the type, but for a file that is the source of a list row
// (whatever path the row names it by), which the run is about to copy.
std::vector<FileEntry> files_to_delete(const CardFiles& fs, const std::string& root,
                                       const std::vector<FileEntry>& listing,
                                       std::string_view type_text,
                                       const std::vector<CheckedSource>& sources);

} // namespace kadoru
