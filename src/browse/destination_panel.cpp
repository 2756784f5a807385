#include "browse/destination_panel.h"

#include "browse/drive_fallback.h"
#include "platform/drive_selector.h"
#include "platform/drives.h"
#include "platform/failure.h"
#include "platform/folder_list.h"
#include "platform/label.h"
#include "platform/message_box.h"
#include "transfer_list/format_size.h"

#include <array>
#include <functional>
#include <string>

namespace kadoru {

DestinationPanel::DestinationPanel(DestinationControls controls, const Drives& drives,
                                   MessageBox& messages)
    : c_(controls), drives_(drives), messages_(messages) {
}

void DestinationPanel::drive_changed() {
    try {
        const std::string drive = c_.drive2.drive();
        c_.label8.set_text(format_size(static_cast<double>(drives_.free_space(drive))));
        c_.label11.set_text(format_size(static_cast<double>(drives_.total_size(drive))));
    } catch (const Failure& failure) {
        // Going back runs this handler once more, for the source drive, unless Drive2
        // shows it already; that second pass can only assign what Drive2 then shows.
        fall_back_unless_ready(
            failure, failure_code::disk_not_ready, c_.drive2, [this] { return c_.drive1.drive(); },
            messages_);
    }
}

void DestinationPanel::destination_to_source() noexcept {
    try {
        c_.drive2.assign(c_.drive1.drive());
    } catch (const Failure&) {
        // Drive1 shows a drive this run has listed; should even that fail, the
        // caller's next step still runs.
    }
}

void DestinationPanel::refresh() {
    // All three are read before the first assignment: assigning the source drive
    // may move the folder list, and the folder assignment puts it back.
    const std::string source_drive = c_.drive1.drive();
    const std::string folder = c_.dir1.path();
    const std::string destination = c_.drive2.drive();

    const std::array<std::function<void()>, 3> steps = {
        [&] { c_.drive1.assign(source_drive); },
        [&] { c_.dir1.assign(folder); },
        [&] { c_.drive2.assign(destination); },
    };
    for (const auto& step : steps) {
        try {
            step();
        } catch (const Failure&) {
            destination_to_source();
        }
    }
    // An assignment that keeps a selection raises nothing; the lists still have
    // to be read anew, to show a card inserted or a folder made since.
    c_.drive1.changed.notify();
    c_.dir1.changed.notify();
    c_.drive2.changed.notify();
}

} // namespace kadoru
