#pragma once

#include "platform/directory_slots.h"
#include "platform/file_entry.h"

#include <exception>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace kadoru {

// Thrown by a copy told to stop part-way; it has removed what it wrote.
class CopyStopped final : public std::exception {
public:
    const char* what() const noexcept override { return "copy stopped"; }
};

// What the transfer run and the card order window need of a player's card (and of
// the source files the run copies onto it). Paths are native paths (UTF-8). Every
// operation throws Failure with its number when it fails.
class CardFiles {
public:
    virtual ~CardFiles() = default;

    // The files directly in the folder, in the order a directory read gives them
    // (on a player's card, the order of its directory entries). Never sorted.
    virtual std::vector<FileEntry> files(const std::string& folder) const = 0;
    // The names of every entry directly in the folder, files and folders alike, in
    // the order a directory read gives them: on a FAT or exFAT card, the order of
    // the directory entries on the medium, which is the order a player plays.
    virtual std::vector<std::string> entry_names(const std::string& folder) const = 0;
    // The same names in the order the medium stores their entries, where the file
    // system can vouch for that order; nullopt where its directory read shows another
    // order and the stored one cannot be read. Only meaningful for a file system that
    // keeps entry order at all (keeps_entry_order): elsewhere no order is stored.
    virtual std::optional<std::vector<std::string>>
    stored_entry_names(const std::string& folder) const = 0;
    // Whether the folder can run out of directory slots before the card is full (the
    // FAT12 and FAT16 root folder), and how many it has free.
    virtual FolderRoom folder_room(const std::string& folder) const = 0;
    virtual bool is_folder(const std::string& path) const = 0;
    // Whether a file (or a link to one) lies at the path.
    virtual bool is_file(const std::string& path) const = 0;
    // Whether two paths name the same file (same device and inode), whatever their
    // spelling; false when either does not exist.
    virtual bool same_file(const std::string& a, const std::string& b) const = 0;
    // The identity of the file at the path, links followed; nullopt when nothing is there.
    virtual std::optional<FileId> file_id(const std::string& path) const = 0;
    // The size and time of a regular file (or a link to one) that opens for reading;
    // nullopt for anything else: nothing there, a folder, a device, a pipe, no read
    // permission. A song is only worth deleting anything for once this holds.
    virtual std::optional<FileStamp> readable_file(const std::string& path) const = 0;

    // Deletes one file without forcing: a write-protected file is kept (70).
    virtual void delete_file(const std::string& path) = 0;
    // Copies over an existing file, in place under the final name, flushed to the
    // medium before it returns. A link of that name is replaced, never written
    // through, and so is a file that other names lead to as well. A failed copy leaves no partial
    // file; a file is never copied onto itself. Gives up between two stretches of writing once stop
    // is requested: the partial file is removed and CopyStopped thrown.
    virtual void copy_file_or_stop(const std::string& from, const std::string& to,
                                   std::stop_token stop) = 0;
    // A copy that is never told to stop.
    void copy_file(const std::string& from, const std::string& to) {
        copy_file_or_stop(from, to, std::stop_token());
    }
    // Creates an empty file under a name nothing in the folder has yet; an existing
    // entry of that name fails (58).
    virtual void create_empty_file(const std::string& path) = 0;
    // Moves an entry to another name on the same card: a rename of its directory
    // entry, no data copied. An existing entry at the new name fails (58); nothing
    // is ever replaced.
    virtual void move_entry(const std::string& from, const std::string& to) = 0;
    // Makes one folder; an existing entry of that name fails (58).
    virtual void make_folder(const std::string& path) = 0;
    // Removes a folder that holds nothing; one that still holds entries fails (75).
    virtual void remove_empty_folder(const std::string& path) = 0;
};

} // namespace kadoru
