#pragma once

#include "platform/file_entry.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kadoru {

// What browsing needs of the source folders: the folder tree, the file list, files
// and playlists dropped or opened, and the stamps the song details are kept by.
// Paths are native paths (UTF-8). Listing and reading throw Failure with its number
// when they fail.
class SourceFiles {
public:
    virtual ~SourceFiles() = default;

    // The files directly in the folder, in the order a directory read gives them.
    virtual std::vector<FileEntry> files(const std::string& folder) const = 0;
    // The names of the folders directly in the folder (order unspecified).
    virtual std::vector<std::string> subfolders(const std::string& folder) const = 0;
    virtual bool is_folder(const std::string& path) const = 0;
    // The size and time of a regular file (or a link to one) that the program may
    // read; nullopt for anything else: nothing there, a folder, a device, a pipe, no
    // read permission.
    virtual std::optional<FileStamp> readable_file(const std::string& path) const = 0;
    // Every byte of a file no larger than max_bytes; a larger one fails (75).
    virtual std::string read_file(const std::string& path, std::size_t max_bytes) const = 0;
};

} // namespace kadoru
