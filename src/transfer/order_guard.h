#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

class FileSystem;

// Whether a file system gives each new directory entry the first run of free slots
// that fits it (FAT and exFAT, whatever their driver): there a deleted file leaves
// a hole that a later, shorter name fills, out of the order the files were copied.
bool keeps_entry_order(std::string_view file_system_type);

// The name of the placeholder with this number: an upper-case 8.3 name, which takes
// the fewest directory slots any name can, with no music file's extension.
std::string placeholder_name(int number);
// Whether a name is a placeholder's, in any letter case.
bool is_placeholder_name(std::string_view name);

// Keeps the copied files in list order on a card whose file system fills holes
// first. Before each file is created, the guard fills every hole in front of the
// folder's last entry with empty placeholder files, so the file's entry can only go
// after all the others. The placeholders stay until the last file is created, then
// go; they also go when the run leaves early, the guard being destroyed on the way out.
// Works with any allocator whose folder reads show the entries' order: placeholders
// are made one at a time until one lands last. Where a folder read turns out not
// to show that order, the guard stands down and the files are copied as they come.
class OrderGuard {
public:
    // Removes the empty placeholders a killed run left in the folder; nothing else.
    OrderGuard(FileSystem& fs, std::string folder);
    ~OrderGuard();
    OrderGuard(const OrderGuard&) = delete;
    OrderGuard& operator=(const OrderGuard&) = delete;
    OrderGuard(OrderGuard&&) = delete;
    OrderGuard& operator=(OrderGuard&&) = delete;

    // Readies the folder so that a file created at path next takes the entry after
    // every other. A file already there under that name is removed first: rewritten
    // in place it would keep its old entry, and with it its old place.
    void place_last(const std::string& path);
    // Removes the placeholders; throws Failure when one cannot be removed.
    void finish();

private:
    std::string make_placeholder();
    void remove(const std::string& name);
    void stand_down();

    FileSystem& fs_;
    std::string folder_;
    std::vector<std::string> placeholders_; // names, in the order they were made
    int next_number_ = 0;
    bool standing_down_ = false;
};

} // namespace kadoru
