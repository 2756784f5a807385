#pragma once

#include <string>
#include <string_view>

namespace kadoru {

// What the settings record (and a saved playlist) needs of a file: small texts
// written whole and read back. Paths are native paths (UTF-8). Every operation
// throws Failure with its number when it fails.
class TextFiles {
public:
    virtual ~TextFiles() = default;

    // Replaces the file with exactly these bytes, atomically.
    virtual void write_text(const std::string& path, std::string_view text) = 0;
    // The characters up to the first line break; 53 when missing, 62 when empty.
    virtual std::string read_first_line(const std::string& path) const = 0;
    // Makes the folder and any missing folders above it; an existing folder is fine.
    virtual void create_folder(const std::string& path) = 0;
    // Deletes one file without forcing: a write-protected file is kept (70).
    virtual void delete_file(const std::string& path) = 0;
};

} // namespace kadoru
