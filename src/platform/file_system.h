#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

// A file lying directly in a folder: its name without the folder, and its size.
struct FileEntry {
    std::string name;
    std::uint64_t size = 0;

    friend bool operator==(const FileEntry&, const FileEntry&) = default;
};

// Thrown by a copy told to stop part-way; it has removed what it wrote.
class CopyStopped final : public std::exception {
public:
    const char* what() const noexcept override { return "copy stopped"; }
};

// The file-system services the logic uses. Paths are native paths (UTF-8).
// Every operation throws Failure with its number when it fails.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The files directly in the folder, in the order a directory read gives them
    // (on a player's card, the order of its directory entries). Never sorted.
    virtual std::vector<FileEntry> files(const std::string& folder) const = 0;
    // The names of the folders directly in the folder (order unspecified).
    virtual std::vector<std::string> subfolders(const std::string& folder) const = 0;
    virtual bool is_folder(const std::string& path) const = 0;
    // Whether a file (or a link to one) lies at the path.
    virtual bool is_file(const std::string& path) const = 0;
    // Whether two paths name the same file (same device and inode), whatever their
    // spelling; false when either does not exist.
    virtual bool same_file(const std::string& a, const std::string& b) const = 0;

    // Deletes one file without forcing: a write-protected file is kept (70).
    virtual void delete_file(const std::string& path) = 0;
    // Copies over an existing file, in place under the final name, flushed to the
    // medium before it returns. A failed copy leaves no partial file; a file is
    // never copied onto itself.
    virtual void copy_file(const std::string& from, const std::string& to) = 0;
    // As copy_file, but gives up between two stretches of writing once stop is
    // requested: the partial file is removed and CopyStopped thrown. A file system
    // that cannot stop part-way copies the whole file.
    virtual void copy_file_or_stop(const std::string& from, const std::string& to,
                                   std::stop_token stop);

    // Replaces the file with exactly these bytes, atomically.
    virtual void write_text(const std::string& path, std::string_view text) = 0;
    // The characters up to the first line break; 53 when missing, 62 when empty.
    virtual std::string read_first_line(const std::string& path) const = 0;

    // Makes the folder and any missing folders above it; an existing folder is fine.
    // File systems that cannot make folders refuse (75).
    virtual void create_folder(const std::string& path);

    // The names of every entry directly in the folder, files and folders alike, in
    // the order a directory read gives them: on a FAT or exFAT card, the order of
    // the directory entries on the medium, which is the order a player plays.
    virtual std::vector<std::string> entry_names(const std::string& folder) const;
    // The same names in the order the medium stores their entries, where the file
    // system can vouch for that order; nullopt where its directory read shows another
    // order and the stored one cannot be read. Only meaningful for a file system that
    // keeps entry order at all (keeps_entry_order): elsewhere no order is stored.
    virtual std::optional<std::vector<std::string>>
    stored_entry_names(const std::string& folder) const;
    // Creates an empty file under a name nothing in the folder has yet; an existing
    // entry of that name fails (58). File systems that cannot create files refuse (75).
    virtual void create_empty_file(const std::string& path);

    // The size of a regular file (or a link to one) that the program may read; nullopt
    // for anything else: nothing there, a folder, a device, a pipe, no read permission.
    virtual std::optional<std::uint64_t> readable_file_size(const std::string& path) const;
    // Every byte of a file no larger than max_bytes; a larger one fails (75), as does a
    // file system that cannot read files.
    virtual std::string read_file(const std::string& path, std::size_t max_bytes) const;
};

} // namespace kadoru
