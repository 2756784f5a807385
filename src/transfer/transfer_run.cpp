#include "transfer/transfer_run.h"

#include "platform/card_files.h"
#include "platform/clock.h"
#include "platform/drive_selector.h"
#include "platform/drives.h"
#include "platform/event_pump.h"
#include "platform/failure.h"
#include "platform/folder_list.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "transfer/control_lock.h"
#include "transfer/delete_step.h"
#include "transfer/list_sources.h"
#include "transfer/order_check.h"
#include "transfer/order_guard.h"
#include "transfer/progress.h"
#include "transfer/run_events.h"
#include "transfer/transfer_messages.h"
#include "transfer/wait_rule.h"
#include "transfer_list/list_size.h"
#include "transfer_list/transfer_list.h"

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
    RunState state;
    try {
        try {
            run(state);
        } catch (const ProgramEnding&) {
            throw;
        } catch (const Failure& failure) {
            fail(failure.code(), state);
        } catch (const std::exception&) {
            // A fault of the program itself: the run still ends idle, the controls usable.
            fail(failure_code::internal_error, state);
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
    const std::vector<FileEntry> listing = io_.fs.files(root);

    // The machine's own disks are never offered for deleting, whatever their letter.
    if (!is_guarded_drive(state.drive) && !io_.drives.is_fixed(state.drive)) {
        const std::string type = in_.type_text();
        const Answer answer = io_.messages.show(delete_question(state.drive, type), delete_title,
                                                Buttons::yes_no_cancel);
        if (answer == Answer::yes)
            delete_files_of_type(io_.fs, root, listing, type,
                                 sources_in_folder(io_.fs, in_.list, root));
        else if (answer != Answer::no)
            return;
    }

    if (in_.total_size > static_cast<double>(io_.drives.free_space(state.drive))) {
        io_.messages.show(no_room_message(state.drive), no_room_title);
        return;
    }

    io_.progress.show();
    state.shown = true;
    io_.progress.set_min(0);
    io_.progress.set_max(static_cast<float>(in_.list.count()));
    io_.events.process_events();
    deact_all(io_.controls, io_.events);

    copy_all(state.drive, root);
    const std::optional<std::string> out_of_order =
        check_order_on_card(io_.fs, io_.drives, state.drive, in_.list);

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

void TransferRun::copy_all(const std::string& drive, const std::string& root) {
    const int count = in_.list.count();
    const std::vector<SourceInFolder> sources = sources_in_folder(io_.fs, in_.list, root);
    // On a card that fills holes first, each file needs the guard to land in list
    // order; leaving this function by any way removes the guard's placeholders.
    std::optional<OrderGuard> guard;
    if (keeps_entry_order(io_.drives.file_system_type(drive)))
        guard.emplace(io_.fs, root);
    for (int i = 0; i < count; ++i) {
        const Clock::time_point start = io_.clock.now();
        const TransferEntry entry = in_.list.row(i);

        // Asks the drive table every time rather than trusting the folder: a pulled
        // card can leave its mount point behind as an empty folder of another drive.
        if (io_.drives.root_of(drive) != root)
            throw Failure(failure_code::disk_not_ready);
        const std::string target = join_path(root, entry.name);
        // Overwriting a file that this or a later row still has to copy would
        // destroy it before it is copied.
        if (is_source_of_row(io_.fs, target, sources, i))
            throw Failure(failure_code::path_file_access_error);
        // The guard's work is part of the file's copy time for the wait rule. It
        // removes a file of the same name first, so the source must be there to
        // take its place: a missing source keeps the old file.
        if (guard) {
            if (!io_.fs.is_file(entry.source_path))
                throw Failure(failure_code::file_not_found);
            guard->place_last(target);
        }
        // The copy is complete, flushed, and leaves no partial file when it fails.
        try {
            io_.fs.copy_file(entry.source_path, target);
        } catch (const Failure& failure) {
            // Refused for want of a slot, which some drivers call a permission.
            if (guard && guard->folder_full() && failure.code() == failure_code::permission_denied)
                throw Failure(failure_code::disk_full);
            throw;
        }

        io_.events.process_events();
        // A size that is not a number (0) cannot pace anything: the file does not wait.
        wait_for_file(size_in_bytes(entry.size_text), start, io_.clock, io_.events);
        io_.progress.set_value(io_.progress.value() + 1);
    }
    if (guard)
        guard->finish();
}

void TransferRun::fail(int code, const RunState& state) {
    if (code == failure_code::disk_not_ready) {
        const std::string& drive = state.drive.empty() ? in_.drive2.drive() : state.drive;
        io_.messages.show(not_ready_message(drive));
        // Moves the destination selector to the source folder's drive, which runs
        // its change processing. If even that drive is gone, it stays where it is.
        try {
            in_.drive2.assign(in_.dir1.path());
        } catch (const Failure&) {
        }
    } else {
        io_.messages.show(error_message(code));
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
