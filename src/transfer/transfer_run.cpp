#include "transfer/transfer_run.h"

#include "card/order_check.h"
#include "card/order_guard.h"
#include "platform/card_files.h"
#include "platform/clock.h"
#include "platform/drive_selector.h"
#include "platform/drives.h"
#include "platform/event_pump.h"
#include "platform/failure.h"
#include "platform/folder_list.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "transfer/card_name.h"
#include "transfer/control_lock.h"
#include "transfer/copy_notes.h"
#include "transfer/delete_step.h"
#include "transfer/destination_tidy.h"
#include "transfer/list_sources.h"
#include "transfer/name_collisions.h"
#include "transfer/progress.h"
#include "transfer/room_check.h"
#include "transfer/run_events.h"
#include "transfer/transfer_messages.h"
#include "transfer/wait_rule.h"
#include "transfer_list/list_size.h"
#include "transfer_list/transfer_list.h"

#include <cstdint>
#include <exception>
#include <optional>
#include <utility>

namespace kadoru {

namespace {

// Drives whose root folder the delete step never touches: the system's own.
bool is_guarded_drive(const std::string& drive) {
    return drive == "c:" || drive == "d:";
}

class RunningFlag {
public:
    explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningFlag() { flag_ = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;
    RunningFlag(RunningFlag&&) = delete;
    RunningFlag& operator=(RunningFlag&&) = delete;

private:
    bool& flag_;
};

class InputHeld {
public:
    explicit InputHeld(EventPump& events) : events_(events) { events_.hold_input(true); }
    ~InputHeld() { events_.hold_input(false); }
    InputHeld(const InputHeld&) = delete;
    InputHeld& operator=(const InputHeld&) = delete;
    InputHeld(InputHeld&&) = delete;
    InputHeld& operator=(InputHeld&&) = delete;

private:
    EventPump& events_;
};

} // namespace

TransferRun::TransferRun(TransferInputs inputs, TransferPorts ports)
    : in_(std::move(inputs)), io_(ports) {
}

void TransferRun::start() {
    // The controls are still enabled where the run first lets events run, so a
    // second click on Start can arrive inside this one.
    if (running_)
        return;
    const RunningFlag flag(running_);
    // Until the lock is taken, the controls are enabled but the run is reading the
    // list and the card: the user's input waits for the lock (Close aside).
    const InputHeld held(io_.events);
    RunState state;
    try {
        try {
            run(state);
        } catch (const ProgramEnding&) {
            throw;
        } catch (const std::exception& error) {
            // A fault of the program itself too: the run still ends idle, the controls usable.
            fail(as_failure(error), state);
        }
    } catch (const ProgramEnding&) {
        // Close arrived where events ran: the program ends, and with it the run, with
        // no further copy, save or message. Whatever was half done has been undone on
        // the way out (a copy's partial file, the order guard's placeholders).
    }
}

void TransferRun::run(RunState& state) {
    if (in_.list.count() < 1) {
        io_.messages.show(select_files_message);
        return;
    }

    // The run keeps to the drive it started with: every check, deletion and copy
    // concerns this one, even if Drive2 changes while events run.
    state.drive = in_.drive2.drive();
    const std::string root = io_.drives.root_of(state.drive);
    // Songs an arrangement left in its working folder are the card's, and go back
    // into the root, and copies cut short go, before the run counts, deletes or
    // copies anything there.
    tidy_destination(io_.fs, io_.drives, state.drive, io_.notes, io_.messages);
    const std::vector<FileEntry> listing = io_.fs.files(root);
    const bool card = holds_only_card_names(io_.drives.file_system_type(state.drive));
    std::vector<std::string> names = names_on_card(card);
    // Sizes as the files are now, not as they were when the rows were added.
    const std::vector<CheckedSource> sources = check_sources(io_.fs, in_.list);
    if (!collisions_accepted(names, sources, card))
        return;

    // The machine's own disks are never offered for deleting, whatever their letter.
    std::vector<FileEntry> doomed;
    if (!is_guarded_drive(state.drive) && !io_.drives.is_fixed(state.drive)) {
        const std::string type = in_.type_text();
        const Answer answer = io_.messages.show(delete_question(state.drive, type), delete_title,
                                                Buttons::yes_no_cancel);
        if (answer == Answer::yes)
            doomed = files_to_delete(io_.fs, root, listing, type, sources);
        else if (answer != Answer::no)
            return;
    }

    // What can fail for the whole list is known before anything is deleted: a row
    // that would overwrite the source of itself or of a later row, and the room,
    // counting what the delete step and the replaced files are about to free.
    for (int i = 0; i < in_.list.count(); ++i)
        if (is_source_of_row(io_.fs, join_path(root, names[static_cast<std::size_t>(i)]), sources,
                             i))
            throw Failure(failure_code::path_file_access_error);
    if (!list_fits(sources, files_leaving(listing, doomed, names, card),
                   io_.drives.free_space(state.drive), io_.drives.allocation_unit(state.drive))) {
        io_.messages.show(no_room_message(state.drive), no_room_title);
        return;
    }
    for (const FileEntry& file : doomed)
        io_.fs.delete_file(join_path(root, file.name));

    io_.progress.show();
    state.shown = true;
    io_.progress.set_min(0);
    io_.progress.set_max(static_cast<float>(in_.list.count()));
    io_.events.process_events();
    deact_all(io_.controls, io_.events);
    // From here on the lock keeps the user's hands off what the run reads.
    io_.events.hold_input(false);

    copy_all(state.drive, root, names, sources);
    const std::optional<std::string> out_of_order =
        check_order_on_card(io_.fs, io_.drives, state.drive, names);

    io_.events.process_events();
    io_.progress.set_value(0);
    io_.progress.hide();
    state.shown = false;
    in_.save_settings(in_.dir1.path(), in_.drive2.drive());
    io_.messages.show(finished_message);
    if (out_of_order)
        io_.messages.show(order_differs_message(*out_of_order));
    // Only now, after the user has closed the message, do the controls come back.
    act_all(io_.controls, io_.events);
}

bool TransferRun::collisions_accepted(const std::vector<std::string>& names,
                                      const std::vector<CheckedSource>& sources, bool card) const {
    const std::vector<int> rows = colliding_rows(names, sources, card);
    if (rows.empty())
        return true;
    std::vector<std::string> shown;
    shown.reserve(rows.size());
    for (const int row : rows)
        shown.push_back(in_.list.row(row).name);
    return io_.messages.show(collision_question(shown), collision_title, Buttons::yes_no) ==
           Answer::yes;
}

std::vector<std::string> TransferRun::names_on_card(bool card) const {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(in_.list.count()));
    for (int i = 0; i < in_.list.count(); ++i) {
        const std::string& name = in_.list.row(i).name;
        names.push_back(card ? card_name(name) : name);
    }
    return names;
}

bool TransferRun::still_there(const std::string& drive, const std::string& root) const {
    // Asks the drive table rather than trusting the folder: a pulled card can leave
    // its mount point behind as an empty folder of another drive.
    try {
        return io_.drives.is_ready(drive) && io_.drives.root_of(drive) == root;
    } catch (const Failure&) {
        return false;
    }
}

void TransferRun::copy_all(const std::string& drive, const std::string& root,
                           std::vector<std::string>& names,
                           const std::vector<CheckedSource>& sources) {
    const int count = in_.list.count();
    // On a card that fills holes first, each file needs the guard to land in list
    // order; leaving this function by any way removes the guard's placeholders.
    std::optional<OrderGuard> guard;
    if (keeps_entry_order(io_.drives.file_system_type(drive)))
        guard.emplace(io_.fs, root, names);
    std::string volume;
    try {
        volume = io_.drives.volume_id(drive);
    } catch (const Failure&) {
    }
    for (int i = 0; i < count; ++i) {
        const Clock::time_point start = io_.clock.now();
        const TransferEntry entry = in_.list.row(i);
        std::string& name = names[static_cast<std::size_t>(i)];

        if (!still_there(drive, root))
            throw Failure(failure_code::disk_not_ready);
        const std::string target = join_path(root, name);
        // The guard's work is part of the file's copy time for the wait rule. It
        // removes a file of the same name first, so the source must be there to
        // take its place: a missing source keeps the old file.
        if (guard) {
            if (!io_.fs.is_file(entry.source_path))
                throw Failure(failure_code::file_not_found);
            guard->place_last(target);
        }
        // The copy is complete, flushed, and leaves no partial file when it fails.
        const std::uint64_t size = sources[static_cast<std::size_t>(i)].size;
        std::optional<Failure> refused;
        try {
            copy_noted(volume, drive, root, entry.source_path, name, size);
        } catch (const Failure& failure) {
            if (failure.code() != failure_code::disk_not_ready && !still_there(drive, root))
                throw Failure(failure_code::disk_not_ready);
            // Refused for want of a slot, which some drivers call a permission.
            if (guard && guard->folder_full() && failure.code() == failure_code::permission_denied)
                throw Failure(failure_code::disk_full);
            refused = failure;
        }
        // A drive of another type that refuses the name as it is may still take
        // the name a card would hold.
        if (refused) {
            const std::string other = card_name(entry.name);
            const int code = refused->code();
            if (other == name || (code != failure_code::path_file_access_error &&
                                  code != failure_code::permission_denied))
                throw *refused;
            const std::string other_target = join_path(root, other);
            if (is_source_of_row(io_.fs, other_target, sources, i))
                throw *refused;
            copy_noted(volume, drive, root, entry.source_path, other, size);
            name = other;
        }

        io_.events.process_events();
        // A size that is not a number (0) cannot pace anything: the file does not wait.
        wait_for_file(size_in_bytes(entry.size_text), start, io_.clock, io_.events);
        io_.progress.set_value(io_.progress.value() + 1);
    }
    if (guard)
        guard->finish();
}

void TransferRun::copy_noted(const std::string& volume, const std::string& drive,
                             const std::string& root, const std::string& from,
                             const std::string& name, std::uint64_t size) {
    // A card that cannot say who it is could not be known again: no note.
    if (volume.empty()) {
        io_.fs.copy_file(from, join_path(root, name));
        return;
    }
    NotedCopy noted(io_.notes, {volume, name, size});
    try {
        io_.fs.copy_file(from, join_path(root, name));
    } catch (...) {
        // A failed copy removes what it wrote, but not from a card that went away.
        if (still_there(drive, root))
            noted.settled();
        throw;
    }
    noted.settled();
}

void TransferRun::fail(const Failure& failure, const RunState& state) {
    // A drive that is not ready is told as the run's destination, whichever the failure named.
    const std::string& drive = state.drive.empty() ? in_.drive2.drive() : state.drive;
    io_.messages.show(failure_message(failure.on_drive(drive)));
    if (failure.code() == failure_code::disk_not_ready) {
        // Moves the destination selector to the source folder's drive, which runs
        // its change processing. Silent: if even that drive is gone, it stays where it is.
        try {
            in_.drive2.assign(in_.dir1.path());
        } catch (const Failure&) {
        }
    }
    // The run's own record, not the window's visibility: the user may have closed
    // the window, and the next run relies on an empty bar.
    if (state.shown) {
        io_.progress.set_value(0);
        io_.progress.hide();
    }
    act_all(io_.controls, io_.events);
}

} // namespace kadoru
