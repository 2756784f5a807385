#include "transfer/card_arrangement.h"

#include "platform/ascii_case.h"
#include "platform/card_files.h"
#include "platform/drives.h"
#include "platform/entry_order.h"
#include "platform/failure.h"
#include "platform/paths.h"
#include "transfer/order_check.h"
#include "transfer/order_guard.h"

#include <algorithm>
#include <set>

namespace kadoru {

namespace {

std::string working_folder(const Drives& drives, std::string_view drive) {
    return join_path(drives.root_of(drive), arrangement_folder_name);
}

// Refused before anything moves: a name twice, or one that is no file of the root.
void check_songs(const CardFiles& fs, const std::string& root,
                 const std::vector<std::string>& order) {
    struct AsTheCardCompares {
        bool operator()(std::string_view a, std::string_view b) const {
            return less_ignoring_case(a, b);
        }
    };
    std::set<std::string, AsTheCardCompares> seen;
    for (const auto& name : order) {
        if (!seen.insert(name).second || name.find('/') != std::string::npos)
            throw Failure(failure_code::path_file_access_error);
        if (!fs.is_file(join_path(root, name)))
            throw Failure(failure_code::file_not_found);
    }
}

// A refusal that can mean the root folder has no slot left after the guard's
// placeholders (the FUSE FAT driver calls it a permission).
bool may_be_full(const Failure& failure) {
    return failure.code() == failure_code::disk_full ||
           failure.code() == failure_code::permission_denied;
}

void move_back(CardFiles& fs, const std::string& root, const std::string& work,
               const std::vector<std::string>& order, int& done, int total,
               const ArrangementProgress& progress) {
    std::optional<OrderGuard> guard(std::in_place, fs, root);
    std::string previous;
    for (const auto& name : order) {
        const std::string from = join_path(work, name);
        const std::string to = join_path(root, name);
        if (guard)
            guard->make_room_after(previous);
        try {
            fs.move_entry(from, to);
        } catch (const Failure& failure) {
            if (!guard || !may_be_full(failure))
                throw;
            // No slot after the holes: the rest go into the holes, out of order, which
            // the read-back tells; the songs are all that matters now.
            guard.reset();
            fs.move_entry(from, to);
        }
        previous = name;
        progress(++done, total);
    }
    if (guard)
        guard->finish();
}

} // namespace

std::optional<std::string> arrange_card(CardFiles& fs, const Drives& drives, std::string_view drive,
                                        const std::vector<std::string>& order,
                                        const ArrangementProgress& progress) {
    const std::string root = drives.root_of(drive);
    // Only where the order can be read back is there an order to make.
    if (!stored_root_order(fs, drives, drive))
        throw Failure(failure_code::path_file_access_error);
    check_songs(fs, root, order);
    const std::string work = working_folder(drives, drive);
    fs.make_folder(work);

    const int total = 2 * static_cast<int>(order.size());
    int done = 0;
    try {
        for (const auto& name : order) {
            fs.move_entry(join_path(root, name), join_path(work, name));
            progress(++done, total);
        }
        move_back(fs, root, work, order, done, total, progress);
    } catch (const Failure&) {
        // Every song back in the root before the failure is told; whatever cannot
        // go back now (a card pulled) waits in the folder for the next recovery.
        try {
            recover_arrangement(fs, drives, drive);
        } catch (const Failure&) {
        }
        throw;
    }
    fs.remove_empty_folder(work);
    return check_order_on_card(fs, drives, drive, order);
}

ArrangementRecovery recover_arrangement(CardFiles& fs, const Drives& drives,
                                        std::string_view drive) {
    ArrangementRecovery recovery;
    if (!keeps_entry_order(drives.file_system_type(drive)))
        return recovery;
    const std::string root = drives.root_of(drive);
    const std::string work = working_folder(drives, drive);
    if (!fs.is_folder(work))
        return recovery;

    // In the folder's order, which is the order the arrangement wanted, each behind
    // the one before.
    OrderGuard guard(fs, root);
    std::string previous;
    for (const auto& name : fs.entry_names(work)) {
        const std::string home = join_path(root, name);
        if (fs.is_file(home) || fs.is_folder(home)) {
            recovery.kept.push_back(name);
            continue;
        }
        guard.make_room_after(previous);
        try {
            fs.move_entry(join_path(work, name), home);
        } catch (const Failure& failure) {
            if (failure.code() != failure_code::file_already_exists)
                throw;
            recovery.kept.push_back(name);
            continue;
        }
        ++recovery.returned;
        previous = name;
    }
    guard.finish();
    if (recovery.kept.empty())
        fs.remove_empty_folder(work);
    return recovery;
}

std::optional<std::string> recovery_message(const ArrangementRecovery& recovery) {
    if (recovery.returned == 0 && recovery.kept.empty())
        return std::nullopt;
    const std::string folder(arrangement_folder_name);
    std::string text = "前回の並べ替えが途中で終わっていました。\n作業用フォルダ「" + folder +
                       "」の曲" + std::to_string(recovery.returned) +
                       "個をカードのルートフォルダに戻しました";
    if (!recovery.kept.empty()) {
        text += "\n\n同じ名前のファイルがルートフォルダにあるため、次の曲は「" + folder +
                "」に残しています：";
        for (const auto& name : recovery.kept)
            text += "\n" + name;
    }
    return text;
}

std::string arrangement_differs_message(std::string_view name) {
    return "カードの中のファイルの順序が指定した順序と違います。\n順序が違う最初のファイル：" +
           std::string(name);
}

} // namespace kadoru
