#pragma once

#include "platform/card_files.h"

#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

struct CheckedSource;

// The files of the listing that the delete step deletes, in the order of the
// listing: those of the type, but for a file that is the source of a list row
// (whatever path the row names it by), which the run is about to copy.
std::vector<FileEntry> files_to_delete(const CardFiles& fs, const std::string& root,
                                       const std::vector<FileEntry>& listing,
                                       std::string_view type_text,
                                       const std::vector<CheckedSource>& sources);

} // namespace kadoru
