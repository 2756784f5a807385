#pragma once

#include "card/arrangement_recovery.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

class CardFiles;
class Drives;

// Told after each move of an arrangement: how many are done, of how many.
using ArrangeProgress = std::function<void(int done, int total)>;

// How an arrangement ended, short of a Failure.
struct ArrangementResult {
    // Refused before anything moved: the root folder, of a set number of directory
    // slots, needs this many more free to take every song back.
    int slots_short = 0;
    // The root had no room for a song part-way: the songs went back in their old order.
    bool put_back = false;
    // The first song the card holds out of the order chosen, as read back.
    std::optional<std::string> out_of_order;
    // Songs that did not come back into the root, and why; empty when all did.
    ArrangementRecovery left;

    friend bool operator==(const ArrangementResult&, const ArrangementResult&) = default;
};

// Puts these songs of the drive's root folder in this order on the card without
// copying a byte. The songs already in the chosen order at the front of the root
// (songs counted only) stay; each of the others is moved (renamed) into the working
// folder, then back into the root, where the order guard makes it land after the one
// before; then the working folder goes and the order is read back. Every other entry
// keeps its place. The songs must be files of the root, each named once.
//
// Where the root folder has a set number of directory slots, the songs' slots are
// counted first and nothing moves when they would not fit. Where that number cannot
// be told, the room for each song is tried (an empty file of a name as long) before
// it moves: a rename the folder has no room for may lose the file on some drivers.
//
// A rename never loses a song: a failure part-way puts the songs back into the root
// before it leaves as a Failure, and whatever the program or the card leaves in the
// working folder, recover_arrangement puts back the next time.
ArrangementResult arrange_card(CardFiles& fs, const Drives& drives, std::string_view drive,
                               const std::vector<std::string>& order,
                               const ArrangeProgress& progress);

// What the user is told of an arrangement that ended, one message a box.
std::vector<std::string> arrangement_messages(const ArrangementResult& result);

inline constexpr std::string_view arranged_message = "並べ替えが終了しました";
// Tells that the card plays the songs in another order than the one chosen.
std::string arrangement_differs_message(std::string_view name);
// Tells that the root folder has no room to arrange, and how many entries to free.
std::string no_room_to_arrange_message(int slots_short);

} // namespace kadoru
