#pragma once

#include "platform/failure.h"

#include <cstdint>
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
    // The service's own judgement: a device of the machine, not one to remove.
    bool hint_system = true;
    // A loop device: the user who set it up.
    std::optional<std::uint32_t> loop_setup_by = std::nullopt;
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
// first, so that a busy card fails before anything changes, then its drive's other
// file systems mounted in the places of removable media, then the drive's power off
// (empty when the drive cannot be powered off, holds a file system mounted elsewhere,
// or the block has no drive).
struct EjectPlan {
    std::vector<std::string> unmount;
    std::string power_off;

    friend bool operator==(const EjectPlan&, const EjectPlan&) = default;
};

// The plan where the desktop would offer removal, as its file managers decide it: a
// block the service does not call a system device, or a loop device that `user` set
// up, and never a drive with a file system mounted where the machine keeps its own
// (/, /boot, /boot/efi, /home, /usr, /var). nullopt otherwise, or when no block of the
// service is mounted at root.
std::optional<EjectPlan> plan_eject(const UdisksObjects& objects, std::string_view root,
                                    std::uint32_t user);

// The D-Bus error names that mean the service is not there to ask.
inline constexpr std::string_view no_udisks_error = "org.freedesktop.DBus.Error.ServiceUnknown";

// The failure a D-Bus error of the service means to the user: a busy drive, a
// removal the user may not make, no service, or anything else (the error's name).
Failure eject_failure(std::string_view error_name);
// No block of the service is mounted at the root to remove.
Failure not_removable_failure();
// Whether a D-Bus error says the service is not there to ask.
bool means_no_service(std::string_view error_name);

} // namespace kadoru
