#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

class Drives;
class CardFiles;

// One entry of the root folder: its name and its size by the size rule (a folder
// shows window_text::card_order_folder instead).
struct CardOrderRow {
    std::string name;
    std::string size_text;
    std::uint64_t size = 0; // in bytes; 0 for a folder
    bool song = false;      // a file of the type the window may arrange

    // Rows are the same when they show the same.
    friend bool operator==(const CardOrderRow& a, const CardOrderRow& b) {
        return a.name == b.name && a.size_text == b.size_text;
    }
};

// What the destination's root folder holds, in the order of its entries.
struct CardOrder {
    std::string drive;
    std::vector<CardOrderRow> rows;
    // Whether the order is the one the directory stores (a player's order), rather
    // than merely the order a folder read happened to give.
    bool as_stored = false;
    std::string root = {}; // the drive's root folder
};

// Which of the root's files are songs the window may arrange (those of the type).
using IsSong = std::function<bool(std::string_view name)>;

// Reads the drive's root folder: its entries in the order the medium stores them
// where that can be read (as the run's order check reads them), otherwise in the
// order of a plain folder read. Never changes the card. Throws Failure when the
// drive or the folder cannot be read (71: not ready).
// Files for which is_song holds are marked as songs.
CardOrder read_card_order(const CardFiles& fs, const Drives& drives, const std::string& drive,
                          const IsSong& is_song = {});

// The line under the list: whether the order shown is the stored one.
std::string card_order_note(const CardOrder& order);
// The window's title, with the drive it shows ("カードの中の順序 - e:\").
std::string card_order_window_title(const CardOrder& order);

} // namespace kadoru
