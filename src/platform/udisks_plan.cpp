#include "platform/udisks_plan.h"

#include "platform/removal_reasons.h"

#include <algorithm>
#include <array>

namespace kadoru {

namespace {

bool mounted_at(const UdisksBlock& block, std::string_view root) {
    return std::find(block.mount_points.begin(), block.mount_points.end(), root) !=
           block.mount_points.end();
}

bool mounted_for_the_system(const UdisksBlock& block) {
    constexpr std::array<std::string_view, 6> system_places = {"/",     "/boot", "/boot/efi",
                                                               "/home", "/usr",  "/var"};
    return std::any_of(block.mount_points.begin(), block.mount_points.end(),
                       [&](const std::string& point) {
                           return std::find(system_places.begin(), system_places.end(), point) !=
                                  system_places.end();
                       });
}

// Below the places of removable media and the user's own mounts.
bool mounted_removable(const UdisksBlock& block) {
    constexpr std::array<std::string_view, 3> places = {"/media/", "/run/media/", "/mnt/"};
    return std::all_of(
        block.mount_points.begin(), block.mount_points.end(), [&](const std::string& point) {
            return std::any_of(places.begin(), places.end(),
                               [&](std::string_view p) { return point.starts_with(p); });
        });
}

} // namespace

std::optional<EjectPlan> plan_eject(const UdisksObjects& objects, std::string_view root,
                                    std::uint32_t user) {
    const auto card =
        std::find_if(objects.blocks.begin(), objects.blocks.end(),
                     [&](const UdisksBlock& b) { return b.has_filesystem && mounted_at(b, root); });
    if (card == objects.blocks.end())
        return std::nullopt;
    const bool users_loop = card->loop_setup_by && *card->loop_setup_by == user;
    if ((card->hint_system && !users_loop) || mounted_for_the_system(*card))
        return std::nullopt;

    EjectPlan plan{{card->path}, {}};
    if (card->drive.empty() || card->drive == "/")
        return plan;
    bool all_unmounted = true;
    for (const auto& block : objects.blocks) {
        if (&block == &*card || block.drive != card->drive || !block.has_filesystem ||
            block.mount_points.empty())
            continue;
        if (mounted_for_the_system(block))
            return std::nullopt;
        if (mounted_removable(block))
            plan.unmount.push_back(block.path);
        else
            all_unmounted = false;
    }
    const auto drive = std::find_if(objects.drives.begin(), objects.drives.end(),
                                    [&](const UdisksDrive& d) { return d.path == card->drive; });
    if (drive != objects.drives.end() && drive->can_power_off && all_unmounted)
        plan.power_off = drive->path;
    return plan;
}

bool means_no_service(std::string_view error_name) {
    return error_name == no_udisks_error || error_name == "org.freedesktop.DBus.Error.NoReply" ||
           error_name == "org.freedesktop.DBus.Error.NoServer" ||
           error_name == "org.freedesktop.DBus.Error.Disconnected" ||
           error_name == "org.freedesktop.DBus.Error.ServiceNotFound";
}

Failure eject_failure(std::string_view error_name) {
    namespace fc = failure_code;
    if (error_name == "org.freedesktop.UDisks2.Error.DeviceBusy")
        return drive_busy_failure();
    if (error_name.starts_with("org.freedesktop.UDisks2.Error.NotAuthorized") ||
        error_name == "org.freedesktop.DBus.Error.AccessDenied")
        return removal_denied_failure();
    if (means_no_service(error_name))
        return {fc::device_unavailable, "UDisks2 が動いていません。"};
    return {fc::path_file_access_error, "UDisks2 のエラーです：" + std::string(error_name)};
}

Failure not_removable_failure() {
    return {failure_code::device_unavailable, "UDisks2 が扱うドライブではありません。"};
}

} // namespace kadoru
