#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

class CardFiles;
class Drives;

// The working folder of an arrangement, in the card's root: a short upper-case 8.3
// name, which every FAT and exFAT driver takes, a FAT16 root folder included. Where
// the root holds an entry of that name that is not the program's own, the next free
// name of arrangement_folder_names is taken.
inline constexpr std::string_view arrangement_folder_name = "KDRSORT";
std::vector<std::string> arrangement_folder_names();
// Made first in the working folder and removed last: only a folder that holds it is
// the program's own, to be emptied into the root.
inline constexpr std::string_view arrangement_marker_name = "KDRSORT.TAG";
// Removes the working folder once it holds nothing but the marker.
void remove_working_folder_if_done(CardFiles& fs, const std::string& work);

// Why a song stayed in the working folder.
enum class KeptBecause { name_taken, no_room, failed };
struct KeptSong {
    std::string name;
    KeptBecause why = KeptBecause::failed;
    int code = 0; // the failure's number, where it failed

    friend bool operator==(const KeptSong&, const KeptSong&) = default;
};

// What a recovery did with a working folder left on the card.
struct ArrangementRecovery {
    int returned = 0;                  // songs moved back into the root
    std::vector<KeptSong> kept;        // left in the working folder
    std::vector<std::string> vanished; // gone from the card when a move failed

    friend bool operator==(const ArrangementRecovery&, const ArrangementRecovery&) = default;
};

// How a recovery puts the songs back: in the working folder's order, each behind
// the one before (the order guard), or by renames alone, as fast as the card allows,
// when the program is ending.
enum class RecoveryPace { in_order, renames_only };

// Moves the songs an interrupted arrangement left in the drive's working folders
// (those that carry the marker) back into the root, never over an entry of their
// name, and removes a folder once only the marker is left. Goes on past a song it
// cannot bring back. Files other than songs (MP3, WMA, WAV) stay where they are. Does
// nothing on a drive whose file system keeps no entry order (no arrangement runs
// there). Throws Failure only when the card cannot be read or is gone.
ArrangementRecovery recover_arrangement(CardFiles& fs, const Drives& drives, std::string_view drive,
                                        RecoveryPace pace = RecoveryPace::in_order);

// The user is told once what a recovery did; nullopt when it did nothing.
std::optional<std::string> recovery_message(const ArrangementRecovery& recovery);

} // namespace kadoru
