#pragma once

#include <string>
#include <vector>

namespace kadoru {

class CardFiles;
class TransferList;

// A list row whose source file lies directly in a given folder.
struct SourceInFolder {
    int row = 0;
    std::string path;
};

// The rows whose source file lies directly in the folder: in the destination root
// these are files the run must neither delete nor overwrite before copying them.
// The folder is compared by identity, so any spelling of it counts.
std::vector<SourceInFolder> sources_in_folder(const CardFiles& fs, const TransferList& list,
                                              const std::string& folder);

// Whether the path is the same file as the source of one of the rows from first_row on.
bool is_source_of_row(const CardFiles& fs, const std::string& path,
                      const std::vector<SourceInFolder>& sources, int first_row = 0);

} // namespace kadoru
