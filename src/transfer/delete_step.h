#pragma once

#include "platform/card_files.h"

#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

struct SourceInFolder;

// Whether the name's last three characters, in upper case, are exactly the type
// text. No dot is needed ("xmp3" is an MP3); a name of fewer than three characters
// never matches. Characters, not bytes, count, so Japanese names work.
bool has_type_suffix(std::string_view name, std::string_view type_text);

// Deletes the files of the type from the root folder, in the order of the listing,
// without forcing. A file that is the source of a list row is kept: the run is
// about to copy it.
void delete_files_of_type(CardFiles& fs, const std::string& root,
                          const std::vector<FileEntry>& listing, std::string_view type_text,
                          const std::vector<SourceInFolder>& sources);

} // namespace kadoru
