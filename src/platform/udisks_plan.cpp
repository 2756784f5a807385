#include "platform/udisks_plan.h"

#include "platform/removal_reasons.h"

#include <algorithm>

namespace kadoru {

namespace {

bool mounted_at(const UdisksBlock& block, std::string_view root) {
    return std::find(block.mount_points.begin(), block.mount_points.end(), root) !=
           block.mount_points.end();
}

bool starts_with(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

} // namespace

std::optional<EjectPlan> plan_eject(const UdisksObjects& objects, std::string_view root) {
    const auto card =
        std::find_if(objects.blocks.begin(), objects.blocks.end(),
                     [&](const UdisksBlock& b) { return b.has_filesystem && mounted_at(b, root); });
    if (card == objects.blocks.end())
        return std::nullopt;

    EjectPlan plan{{card->path}, {}};
    if (card->drive.empty() || card->drive == "/")
        return plan;
    for (const auto& block : objects.blocks)
        if (&block != &*card && block.drive == card->drive && block.has_filesystem &&
            !block.mount_points.empty())
            plan.unmount.push_back(block.path);
    const auto drive = std::find_if(objects.drives.begin(), objects.drives.end(),
                                    [&](const UdisksDrive& d) { return d.path == card->drive; });
    if (drive != objects.drives.end() && drive->can_power_off)
        plan.power_off = drive->path;
    return plan;
}

Failure eject_failure(std::string_view error_name) {
    namespace fc = failure_code;
    if (error_name == "org.freedesktop.UDisks2.Error.DeviceBusy")
        return drive_busy_failure();
    if (starts_with(error_name, "org.freedesktop.UDisks2.Error.NotAuthorized") ||
        error_name == "org.freedesktop.DBus.Error.AccessDenied")
        return removal_denied_failure();
    if (error_name == no_udisks_error || error_name == "org.freedesktop.DBus.Error.NoReply" ||
        error_name == "org.freedesktop.DBus.Error.NoServer" ||
        error_name == "org.freedesktop.DBus.Error.Disconnected" ||
        error_name == "org.freedesktop.DBus.Error.ServiceNotFound")
        return Failure(fc::device_unavailable, "UDisks2 が動いていません。");
    return Failure(fc::path_file_access_error, "UDisks2 のエラーです：" + std::string(error_name));
}

Failure not_removable_failure() {
    return Failure(failure_code::device_unavailable, "UDisks2 が扱うドライブではありません。");
}

} // namespace kadoru
