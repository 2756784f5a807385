#pragma once

#include "card/order_guard.h"
#include "platform/directory_slots.h"

#include <optional>
#include <string>
#include <string_view>

namespace kadoru {

class CardFiles;
class Failure;

// A refusal that can mean a folder has no slot left for the entry (the FUSE FAT
// driver calls it a permission).
bool refused_for_room(const Failure& failure);

// Whether the folder has a run of free slots for an entry of this name: an empty
// file of a name at least as long is made and removed again. A new entry of the same
// length takes the same place, so the rename that follows lands there.
bool has_room_for(CardFiles& fs, const std::string& folder, std::string_view name);

// Readies the guard for the next song after `previous`; where the folder refuses
// even a placeholder for want of room, the guard stands down (is reset) instead.
void make_room_or_stand_down(std::optional<OrderGuard>& guard, std::string_view previous);

// How one song's move ended.
enum class Moved { yes, no_room, vanished };

// Moves a song between the root and the working folder, keeping its name. Where the destination
// folder may be of a set size (room not `grows`), its room is tried first, so that a rename is
// never refused for want of room: some drivers lose the file then. A failed move is looked at
// again: a song now at its new place has moved, one at neither place has vanished; a refusal for
// room is told as such; any other failure leaves.
Moved move_song(CardFiles& fs, const std::string& from, const std::string& to_folder,
                std::string_view name, FolderRoom::Kind room);

// Moves a song from the working folder back into the root, behind the guard while there
// is one. Where the root has no room for it, the guard's placeholders may hold the slots
// it needs: the guard stands down (is reset) and the move is tried once more, the song
// then going into a hole, out of order, which the read-back tells.
Moved move_song_into_root(CardFiles& fs, std::optional<OrderGuard>& guard, const std::string& from,
                          const std::string& root, std::string_view name, FolderRoom::Kind room);

} // namespace kadoru
