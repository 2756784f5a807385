#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

class CardFiles;
class Drives;

// The working folder of an arrangement, in the card's root: a short upper-case 8.3
// name, which every FAT and exFAT driver takes, a FAT16 root folder included.
inline constexpr std::string_view arrangement_folder_name = "KDRSORT";

// Told after each move: how many of the arrangement's moves are done, of how many.
using ArrangementProgress = std::function<void(int done, int total)>;

// Puts these songs of the drive's root folder in this order on the card without
// copying a byte: each is moved (renamed) into the working folder, then back into
// the root, where the order guard makes it land after the one before; then the
// working folder goes and the order is read back. Every other entry keeps its place.
// The songs must be files of the root, each named once. The first song the card
// holds out of this order as read back; nullopt when the order is right.
//
// A rename never loses a song: a failure part-way puts the songs back into the root
// before it leaves as a Failure, and whatever the program or the card leaves in the
// working folder, recover_arrangement puts back the next time.
std::optional<std::string> arrange_card(CardFiles& fs, const Drives& drives, std::string_view drive,
                                        const std::vector<std::string>& order,
                                        const ArrangementProgress& progress);

// What a recovery did with a working folder left on the card.
struct ArrangementRecovery {
    int returned = 0;              // songs moved back into the root
    std::vector<std::string> kept; // left in the folder: the root holds an entry of that name

    friend bool operator==(const ArrangementRecovery&, const ArrangementRecovery&) = default;
};

// Moves what an interrupted arrangement left in the drive's working folder back into
// the root, each after the entries there, never over an entry of its name, and
// removes the folder once it is empty. Does nothing on a drive whose file system keeps
// no entry order (no arrangement runs there) or without a working folder.
ArrangementRecovery recover_arrangement(CardFiles& fs, const Drives& drives,
                                        std::string_view drive);

// The user is told once what a recovery did; nullopt when it did nothing.
std::optional<std::string> recovery_message(const ArrangementRecovery& recovery);

inline constexpr std::string_view arranged_message = "並べ替えが終了しました";
// Tells that the card plays the songs in another order than the one chosen.
std::string arrangement_differs_message(std::string_view name);

} // namespace kadoru
