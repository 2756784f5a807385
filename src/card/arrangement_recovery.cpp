#include "card/arrangement_recovery.h"

#include "card/order_guard.h"
#include "card/song_moves.h"
#include "platform/ascii_case.h"
#include "platform/card_files.h"
#include "platform/drives.h"
#include "platform/entry_order.h"
#include "platform/failure.h"
#include "platform/message_box.h"
#include "platform/paths.h"

#include <algorithm>

namespace kadoru {

namespace {

constexpr int other_folder_names = 9;

bool is_song_name(std::string_view name) {
    return std::any_of(song_types.begin(), song_types.end(),
                       [name](std::string_view type) { return has_type_suffix(name, type); });
}

bool is_marked(const CardFiles& fs, const std::string& work) {
    return fs.is_folder(work) && fs.is_file(join_path(work, arrangement_marker_name));
}

void recover_folder(CardFiles& fs, const std::string& root, const std::string& work,
                    RecoveryPace pace, ArrangementRecovery& recovery) {
    const FolderRoom room = fs.folder_room(root);
    // In the folder's order, which is the order the arrangement wanted, each behind
    // the one before; the guard stands down where the root has no slot to spare.
    std::optional<OrderGuard> guard;
    if (pace == RecoveryPace::in_order)
        guard.emplace(fs, root);
    std::string previous;
    for (const auto& name : fs.entry_names(work)) {
        const std::string from = join_path(work, name);
        if (!is_song_name(name) || !fs.is_file(from))
            continue; // the marker, and whatever else is not the arrangement's
        const std::string home = join_path(root, name);
        if (fs.is_file(home) || fs.is_folder(home)) {
            recovery.kept.push_back({name, KeptBecause::name_taken});
            continue;
        }
        make_room_or_stand_down(guard, previous);
        Moved moved = Moved::no_room;
        try {
            moved = move_song_into_root(fs, guard, from, root, name, room.kind);
        } catch (const Failure& failure) {
            if (failure.code() == failure_code::disk_not_ready)
                throw;
            recovery.kept.push_back({name, KeptBecause::failed, failure.code()});
            continue;
        }
        if (moved == Moved::no_room) {
            recovery.kept.push_back({name, KeptBecause::no_room});
        } else if (moved == Moved::vanished) {
            recovery.vanished.push_back(name);
        } else {
            ++recovery.returned;
            previous = name;
        }
    }
    if (guard)
        guard->finish();
    remove_working_folder_if_done(fs, work);
}

std::string kept_reason(const KeptSong& song) {
    switch (song.why) {
    case KeptBecause::name_taken:
        return "同じ名前のファイルがルートフォルダにあります";
    case KeptBecause::no_room:
        return "ルートフォルダに空きがありません";
    case KeptBecause::failed:
        break;
    }
    return error_message(song.code);
}

} // namespace

std::vector<std::string> arrangement_folder_names() {
    std::vector<std::string> names{std::string(arrangement_folder_name)};
    for (int i = 1; i <= other_folder_names; ++i)
        names.push_back(std::string(arrangement_folder_name) + std::to_string(i));
    return names;
}

void remove_working_folder_if_done(CardFiles& fs, const std::string& work) {
    const auto left = fs.entry_names(work);
    if (left.size() != 1 || !same_ignoring_case(left.front(), arrangement_marker_name))
        return;
    fs.delete_file(join_path(work, arrangement_marker_name));
    fs.remove_empty_folder(work);
}

ArrangementRecovery recover_arrangement(CardFiles& fs, const Drives& drives, std::string_view drive,
                                        RecoveryPace pace) {
    ArrangementRecovery recovery;
    if (!keeps_entry_order(drives.file_system_type(drive)))
        return recovery;
    const std::string root = drives.root_of(drive);
    for (const auto& name : arrangement_folder_names()) {
        const std::string work = join_path(root, name);
        // A folder of that name without the marker is the user's own.
        if (is_marked(fs, work))
            recover_folder(fs, root, work, pace, recovery);
    }
    return recovery;
}

std::optional<std::string> recovery_message(const ArrangementRecovery& recovery) {
    if (recovery == ArrangementRecovery{})
        return std::nullopt;
    const std::string folder(arrangement_folder_name);
    std::string text = "前回の並べ替えが途中で終わっていました。\n作業用フォルダ「" + folder +
                       "」の曲" + std::to_string(recovery.returned) +
                       "個をカードのルートフォルダに戻しました";
    if (!recovery.kept.empty()) {
        text += "\n\n次の曲は戻せなかったため、作業用フォルダに残しています：";
        for (const auto& song : recovery.kept)
            text += "\n" + song.name + "（" + kept_reason(song) + "）";
    }
    if (!recovery.vanished.empty()) {
        text += "\n\n次の曲はカードの中に見つかりません：";
        for (const auto& name : recovery.vanished)
            text += "\n" + name;
    }
    return text;
}

} // namespace kadoru
