#include "card/song_moves.h"

#include "platform/card_files.h"
#include "platform/failure.h"
#include "platform/paths.h"

#include <algorithm>

namespace kadoru {

namespace {

// A name takes as many slots as the probe: an upper-case 8.3 name as another such
// name; any other up to 13 characters as any other; longer ones are matched in
// UTF-16 units, as the card stores names.
constexpr std::string_view short_probe = "KDRPROBE.TMP";
constexpr std::string_view probe_stem = "kdrprobe";
constexpr std::string_view probe_extension = ".tmp";
constexpr std::size_t shortest_probe = 12;

std::string probe_name(std::string_view name) {
    if (slots_held_at_least(name) == 1)
        return std::string(short_probe);
    const std::size_t length =
        std::max(static_cast<std::size_t>(utf16_units(name)), shortest_probe);
    return std::string(probe_stem) +
           std::string(length - probe_stem.size() - probe_extension.size(), 'x') +
           std::string(probe_extension);
}

} // namespace

bool refused_for_room(const Failure& failure) {
    return failure.code() == failure_code::disk_full ||
           failure.code() == failure_code::permission_denied;
}

bool has_room_for(CardFiles& fs, const std::string& folder, std::string_view name) {
    const std::string probe = join_path(folder, probe_name(name));
    try {
        fs.create_empty_file(probe);
    } catch (const Failure& failure) {
        if (failure.code() == failure_code::file_already_exists)
            return true; // someone's own file of that name: nothing to learn
        if (refused_for_room(failure))
            return false;
        throw;
    }
    fs.delete_file(probe);
    return true;
}

void make_room_or_stand_down(std::optional<OrderGuard>& guard, std::string_view previous) {
    if (!guard)
        return;
    try {
        guard->make_room_after(previous);
    } catch (const Failure& failure) {
        if (!refused_for_room(failure))
            throw;
        guard.reset();
    }
}

Moved move_song(CardFiles& fs, const std::string& from, const std::string& to_folder,
                std::string_view name, FolderRoom::Kind room) {
    if (room != FolderRoom::Kind::grows && !has_room_for(fs, to_folder, name))
        return Moved::no_room;
    const std::string to = join_path(to_folder, name);
    try {
        fs.move_entry(from, to);
    } catch (const Failure& failure) {
        if (failure.code() == failure_code::disk_not_ready)
            throw;
        if (fs.is_file(to) && !fs.is_file(from))
            return Moved::yes;
        if (!fs.is_file(from))
            return Moved::vanished;
        if (refused_for_room(failure))
            return Moved::no_room;
        throw;
    }
    return Moved::yes;
}

Moved move_song_into_root(CardFiles& fs, std::optional<OrderGuard>& guard, const std::string& from,
                          const std::string& root, std::string_view name, FolderRoom::Kind room) {
    const Moved moved = move_song(fs, from, root, name, room);
    if (moved != Moved::no_room || !guard)
        return moved;
    guard.reset();
    return move_song(fs, from, root, name, room);
}

} // namespace kadoru
