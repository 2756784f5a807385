#include "platform/drive_selector.h"

#include "platform/failure.h"
#include "platform/paths.h"

#include <algorithm>
#include <utility>

namespace kadoru {

DriveSelector::DriveSelector(const Drives& drives, std::string initial_drive)
    : drives_(drives), drive_(std::move(initial_drive)) {
}

std::vector<DriveSelector::Row> DriveSelector::rows() const {
    std::vector<Row> rows;
    for (auto& drive : drives_.list())
        rows.push_back({drive.drive, drive.label.empty() ? drive.drive
                                                         : drive.drive + " [" + drive.label + "]"});
    if (std::none_of(rows.begin(), rows.end(), [this](const Row& r) { return r.drive == drive_; }))
        rows.push_back({drive_, drive_});
    return rows;
}

void DriveSelector::assign(std::string_view text) {
    std::string named = leading_drive_string(text);
    // A path that does not start with its drive's letter: the drive that holds it.
    if (named.empty() && !text.empty())
        named = drives_.drive_of(text);
    if (named.empty() || !drives_.is_known(named))
        throw Failure(failure_code::device_unavailable);
    if (named == drive_)
        return;
    drive_ = std::move(named);
    changed.notify();
    if (on_change)
        on_change();
}

} // namespace kadoru
