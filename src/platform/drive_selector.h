#pragma once

#include "platform/drives.h"
#include "platform/notifier.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

// The logic of a drive selector (Drive1, Drive2): which drive is selected, and
// the change processing that runs when the selection changes.
class DriveSelector {
public:
    DriveSelector(const Drives& drives, std::string initial_drive);

    // The selected drive's drive string: lower-case letter and colon ("e:").
    const std::string& drive() const { return drive_; }

    // Selects the drive a text names: a drive string, a text that starts with one
    // ("C:\Music"), or a native path (the drive that holds it). Throws Failure(68)
    // when the text names no drive. When the selection changes, the views are told
    // and then on_change runs to its end before assign returns.
    void assign(std::string_view text);

    // The rows to offer, read anew: the drives present now, each with the caption it
    // goes by ("e: [PLAYER]", or "e:" without a label); a selected drive that is gone
    // still shows, last, as the selection.
    struct Row {
        std::string drive;
        std::string caption;
    };
    std::vector<Row> rows() const;

    std::function<void()> on_change;
    Notifier changed;

private:
    const Drives& drives_;
    std::string drive_;
};

} // namespace kadoru
