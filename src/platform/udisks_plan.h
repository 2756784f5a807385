#pragma once

#include "platform/failure.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

// What the UDisks2 service reports of its objects, as far as safe removal needs it.
// Object paths are D-Bus object paths; a block that belongs to no drive has "/".
struct UdisksBlock {
    std::string path;
    std::string drive;
    bool has_filesystem = false;
    std::vector<std::string> mount_points;
};

struct UdisksDrive {
    std::string path;
    bool can_power_off = false;
};

struct UdisksObjects {
    std::vector<UdisksBlock> blocks;
    std::vector<UdisksDrive> drives;
};

// The calls that remove the card mounted at root: the file system mounted there
// first, so that a busy card fails before anything changes, then every other mounted
// file system of the same drive, then the drive's power off (empty when the drive
// cannot be powered off or the block has no drive). nullopt when no block of the
// service is mounted at root.
struct EjectPlan {
    std::vector<std::string> unmount;
    std::string power_off;

    friend bool operator==(const EjectPlan&, const EjectPlan&) = default;
};
std::optional<EjectPlan> plan_eject(const UdisksObjects& objects, std::string_view root);

// The D-Bus error names that mean the service is not there to ask.
inline constexpr std::string_view no_udisks_error = "org.freedesktop.DBus.Error.ServiceUnknown";

// The failure a D-Bus error of the service means to the user: a busy drive, a
// removal the user may not make, no service, or anything else (the error's name).
Failure eject_failure(std::string_view error_name);
// No block of the service is mounted at the root to remove.
Failure not_removable_failure();

} // namespace kadoru
