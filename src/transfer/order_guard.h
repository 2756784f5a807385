#pragma once

#include "platform/entry_order.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

class CardFiles;

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
// to show that order, or the folder has no slot left after its holes, the guard
// stands down and the files are copied as they come.
class OrderGuard {
public:
    // Removes the empty placeholders a killed run left in the folder; nothing else.
    // No placeholder takes one of the names kept for the files to come, in any
    // letter case: the file's own name would be removed with the placeholders.
    OrderGuard(CardFiles& fs, std::string folder, std::vector<std::string> kept_names = {});
    ~OrderGuard();
    OrderGuard(const OrderGuard&) = delete;
    OrderGuard& operator=(const OrderGuard&) = delete;
    OrderGuard(OrderGuard&&) = delete;
    OrderGuard& operator=(OrderGuard&&) = delete;

    // Readies the folder so that a file created at path next takes the entry after
    // every other. A file already there under that name is removed first: rewritten
    // in place it would keep its old entry, and with it its old place.
    void place_last(const std::string& path);
    // Readies the folder so that the entry made next, under a name the folder does
    // not hold, takes the place after every other. Removes nothing but placeholders.
    void make_room_last();
    // Readies the folder so that the entry made next, under a name the folder does
    // not hold, lands after the entry `previous` (anywhere when it is empty): only the
    // holes in front of that one are filled, far fewer than all of them where the
    // folder holds more after it.
    void make_room_after(std::string_view previous);
    // Removes the placeholders; throws Failure when one cannot be removed.
    void finish();

    // Whether the guard stood down because the folder had no slot left. A copy that
    // is then refused, whatever the driver calls it, failed for want of room.
    bool folder_full() const { return folder_full_; }

private:
    // Where the latest placeholder landed: in a hole in front of where the file goes,
    // where the file goes, or somewhere the folder read does not show.
    enum class Landing { in_a_hole, where_wanted, lost };
    // Makes placeholders, each landing after the one before, until one lands where
    // the file goes; that one is removed, so that its slots are the file's.
    void fill_holes_until(
        const std::function<Landing(const std::vector<std::string>&, std::size_t)>& landed);
    std::string make_placeholder();
    void remove(const std::string& name);
    void stand_down();
    bool says_folder_full(int code) const;

    CardFiles& fs_;
    std::string folder_;
    std::vector<std::string> kept_names_;
    std::vector<std::string> placeholders_; // names, in the order they were made
    int next_number_ = 0;
    bool standing_down_ = false;
    bool took_entry_ = false; // the folder has taken a placeholder in this run
    bool folder_full_ = false;
};

} // namespace kadoru
