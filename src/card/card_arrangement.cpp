#include "card/card_arrangement.h"

#include "card/order_check.h"
#include "card/order_guard.h"
#include "card/song_moves.h"
#include "platform/ascii_case.h"
#include "platform/card_files.h"
#include "platform/directory_slots.h"
#include "platform/drives.h"
#include "platform/entry_order.h"
#include "platform/failure.h"
#include "platform/paths.h"

#include <algorithm>
#include <set>

namespace kadoru {

namespace {

struct AsTheCardCompares {
    bool operator()(std::string_view a, std::string_view b) const {
        return less_ignoring_case(a, b);
    }
};
using NameSet = std::set<std::string, AsTheCardCompares>;

// Refused before anything moves: a name twice, or one that is no file of the root.
// One listing of the root, not a look-up a song: a FUSE driver scans the folder for each.
NameSet check_songs(const CardFiles& fs, const std::string& root,
                    const std::vector<std::string>& order) {
    NameSet files;
    for (const auto& file : fs.files(root))
        files.insert(file.name);
    NameSet seen;
    for (const auto& name : order) {
        if (!seen.insert(name).second || name.find('/') != std::string::npos)
            throw Failure(failure_code::path_file_access_error);
        if (files.count(name) == 0)
            throw Failure(failure_code::file_not_found);
    }
    return seen;
}

// The songs as the card holds them now, in the order of their entries.
std::vector<std::string> songs_on_card(const std::vector<std::string>& stored,
                                       const NameSet& songs) {
    std::vector<std::string> found;
    for (const auto& name : stored)
        if (songs.count(name) != 0)
            found.push_back(name);
    return found;
}

// How many songs at the front already stand in the chosen order: they stay.
std::size_t in_place(const std::vector<std::string>& on_card,
                     const std::vector<std::string>& order) {
    std::size_t n = 0;
    while (n < on_card.size() && n < order.size() && same_ignoring_case(on_card[n], order[n]))
        ++n;
    return n;
}

// A working folder name that the root does not hold; the user's own folder of the
// usual name is never the program's.
std::string free_working_folder(const CardFiles& fs, const std::string& root) {
    for (const auto& name : arrangement_folder_names()) {
        const std::string work = join_path(root, name);
        if (!fs.is_folder(work) && !fs.is_file(work))
            return name;
    }
    throw Failure(failure_code::file_already_exists);
}

// How many more slots the root needs free to take the moving songs back in any
// order (counted high) once they have left it (their slots counted low), with the
// working folder beside them; 0 when they fit.
int slots_short(const FolderRoom& room, std::string_view work_name,
                const std::vector<std::string>& moving) {
    if (room.kind != FolderRoom::Kind::fixed)
        return 0;
    int need = slots_for_name(work_name);
    int have = room.free_slots;
    for (const auto& name : moving) {
        need += slots_for_name(name);
        have += slots_held_at_least(name);
    }
    return std::max(0, need - have);
}

// One arrangement under way: the songs that move, the folder they wait in.
class Arranging {
public:
    Arranging(CardFiles& fs, std::string root, std::string work, FolderRoom room,
              const ArrangeProgress& progress)
        : fs_(fs), root_(std::move(root)), work_(std::move(work)), room_(room),
          progress_(progress) {}

    void move_out(const std::vector<std::string>& moving) {
        total_ = 2 * static_cast<int>(moving.size());
        for (const auto& name : moving) {
            // Into a folder that grows: only a failure other than room can stop it.
            if (move_song(fs_, join_path(root_, name), work_, name, FolderRoom::Kind::grows) ==
                Moved::vanished)
                vanished_.push_back(name);
            progress_(++done_, total_);
        }
    }

    // Each song lands after the one before, the first after `previous`. False when the
    // root had no room for one: every song has then gone back into the working folder.
    bool move_back(const std::vector<std::string>& order, std::string previous) {
        std::optional<OrderGuard> guard(std::in_place, fs_, root_);
        std::vector<std::string> returned;
        for (const auto& name : order) {
            if (std::find(vanished_.begin(), vanished_.end(), name) != vanished_.end())
                continue; // gone on the way out
            const std::string from = join_path(work_, name);
            make_room_or_stand_down(guard, previous);
            const Moved moved = move_song_into_root(fs_, guard, from, root_, name, room_.kind);
            if (moved == Moved::no_room) {
                for (const auto& back : returned)
                    if (move_song(fs_, join_path(root_, back), work_, back,
                                  FolderRoom::Kind::grows) == Moved::vanished)
                        vanished_.push_back(back);
                return false;
            }
            if (moved == Moved::vanished)
                vanished_.push_back(name);
            else
                returned.push_back(name);
            previous = name;
            progress_(++done_, total_);
        }
        if (guard)
            guard->finish();
        return true;
    }

    // Back in the order the card held them: each then finds its old slots free at the
    // latest, so all fit however the holes lie.
    void put_back(const std::vector<std::string>& old_order, ArrangementRecovery& left) {
        for (const auto& name : old_order) {
            const std::string from = join_path(work_, name);
            if (!fs_.is_file(from))
                continue;
            const Moved moved = move_song(fs_, from, root_, name, room_.kind);
            if (moved == Moved::no_room)
                left.kept.push_back({name, KeptBecause::no_room});
            else if (moved == Moved::vanished)
                vanished_.push_back(name);
        }
    }

    const std::vector<std::string>& vanished() const { return vanished_; }

private:
    CardFiles& fs_;
    std::string root_;
    std::string work_;
    FolderRoom room_;
    const ArrangeProgress& progress_;
    std::vector<std::string> vanished_;
    int done_ = 0;
    int total_ = 0;
};

} // namespace

ArrangementResult arrange_card(CardFiles& fs, const Drives& drives, std::string_view drive,
                               const std::vector<std::string>& order,
                               const ArrangeProgress& progress) {
    const std::string root = drives.root_of(drive);
    // Only where the order can be read back is there an order to make.
    const auto stored = stored_root_order(fs, drives, drive);
    if (!stored)
        throw Failure(failure_code::path_file_access_error);
    const NameSet songs = check_songs(fs, root, order);
    const std::vector<std::string> before = songs_on_card(*stored, songs);
    const std::size_t staying = in_place(before, order);
    const std::vector<std::string> moving(order.begin() + static_cast<std::ptrdiff_t>(staying),
                                          order.end());
    ArrangementResult result;
    if (moving.empty())
        return result;

    const std::string work_name = free_working_folder(fs, root);
    const std::string work = join_path(root, work_name);
    const FolderRoom room = fs.folder_room(root);
    result.slots_short = slots_short(room, work_name, moving);
    if (result.slots_short > 0)
        return result;

    try {
        fs.make_folder(work);
    } catch (const Failure& failure) {
        // A root that may be of set size and refuses even the folder is full (the
        // FUSE FAT driver calls it a permission): at least the folder's slots must go.
        if (room.kind == FolderRoom::Kind::grows || !refused_for_room(failure))
            throw;
        result.slots_short = slots_for_name(work_name);
        return result;
    }
    Arranging arranging(fs, root, work, room, progress);
    try {
        fs.create_empty_file(join_path(work, arrangement_marker_name));
        arranging.move_out(moving);
        if (!arranging.move_back(moving, staying == 0 ? std::string() : order[staying - 1])) {
            std::vector<std::string> old_order;
            for (const auto& name : before)
                if (std::find(moving.begin(), moving.end(), name) != moving.end())
                    old_order.push_back(name);
            arranging.put_back(old_order, result.left);
            result.put_back = true;
        }
        remove_working_folder_if_done(fs, work);
    } catch (const Failure&) {
        // Every song back in the root before the failure is told; whatever cannot
        // go back now (a card pulled) waits in the folder for the next recovery.
        try {
            recover_arrangement(fs, drives, drive);
        } catch (const Failure&) {
        }
        throw;
    }
    result.left.vanished = arranging.vanished();
    if (!result.put_back)
        result.out_of_order = check_order_on_card(fs, drives, drive, order);
    return result;
}

std::vector<std::string> arrangement_messages(const ArrangementResult& result) {
    if (result.slots_short > 0)
        return {no_room_to_arrange_message(result.slots_short)};
    std::vector<std::string> messages;
    if (result.put_back)
        messages.emplace_back("カードのルートフォルダに空きが足りないため、並べ替えをやめて曲を元"
                              "の順序に戻しました");
    else
        messages.emplace_back(arranged_message);
    if (result.out_of_order)
        messages.push_back(arrangement_differs_message(*result.out_of_order));
    if (!result.left.kept.empty() || !result.left.vanished.empty()) {
        std::string text;
        if (!result.left.kept.empty()) {
            text += "次の曲はルートフォルダに空きがないため、作業用フォルダに残しています：";
            for (const auto& song : result.left.kept)
                text += "\n" + song.name;
        }
        if (!result.left.vanished.empty()) {
            text += std::string(text.empty() ? "" : "\n\n") +
                    "次の曲は移動に失敗し、カードの中に見つかりません：";
            for (const auto& name : result.left.vanished)
                text += "\n" + name;
        }
        messages.push_back(text);
    }
    return messages;
}

std::string arrangement_differs_message(std::string_view name) {
    return "カードの中のファイルの順序が指定した順序と違います。\n順序が違う最初のファイル：" +
           std::string(name);
}

std::string no_room_to_arrange_message(int slots_short) {
    return "カードのルートフォルダに空きがないため、曲を並べ替えられません。\nルートフォルダのファ"
           "イルやフォルダを削除して、ディレクトリエントリをあと" +
           std::to_string(slots_short) +
           "個以上空けてください（長い名前のファイルは1個で複数のエントリを使います）";
}

} // namespace kadoru
