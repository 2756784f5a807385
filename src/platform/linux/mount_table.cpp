#include "platform/linux/mount_table.h"

#include "platform/paths.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <sys/sysmacros.h>

namespace kadoru {

namespace {

// File systems of the kernel's own or of the system's plumbing: never user data.
constexpr std::array<std::string_view, 27> pseudo_types = {
    "autofs",          "binfmt_misc",   "bpf",        "cgroup",     "cgroup2",
    "configfs",        "debugfs",       "devpts",     "devtmpfs",   "efivarfs",
    "fusectl",         "hugetlbfs",     "mqueue",     "nsfs",       "proc",
    "pstore",          "rpc_pipefs",    "securityfs", "selinuxfs",  "squashfs",
    "sysfs",           "tracefs",       "nfsd",       "fuse.lxcfs", "fuse.portal",
    "fuse.gvfsd-fuse", "fuse.snapfuse",
};

// Folders whose mounts belong to the system: its own trees, runtime state,
// package images (snaps) and the single files a container runtime binds into /etc.
constexpr std::array<std::string_view, 7> system_places = {"/proc", "/sys",      "/dev", "/run",
                                                           "/snap", "/var/snap", "/etc"};

bool is_drive(const Mount& mount, const MountPlaces& places) {
    if (mount.root == "/" || mount.root == places.system_root)
        return true;
    if (std::find(pseudo_types.begin(), pseudo_types.end(), mount.type) != pseudo_types.end())
        return false;
    if (is_within(mount.root, "/run/media"))
        return true;
    return std::none_of(system_places.begin(), system_places.end(),
                        [&](std::string_view place) { return is_within(mount.root, place); });
}

// mountinfo writes space, tab, newline and backslash as "\ooo" octal escapes.
std::string unescape(std::string_view field) {
    std::string result;
    result.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        const auto is_octal = [&](std::size_t k, char highest) {
            return k < field.size() && field[k] >= '0' && field[k] <= highest;
        };
        // A byte takes three digits, the first at most 3: "\\777" is no escape.
        if (field[i] == '\\' && is_octal(i + 1, '3') && is_octal(i + 2, '7') &&
            is_octal(i + 3, '7')) {
            result += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                        (field[i + 3] - '0'));
            i += 3;
        } else {
            result += field[i];
        }
    }
    return result;
}

std::vector<std::string_view> split_fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start < line.size()) {
        const auto end = std::min(line.find(' ', start), line.size());
        if (end > start)
            fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

template <class Number> bool parse_number(std::string_view text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

// "36 35 98:0 /sub /mnt/point rw,noatime master:1 - ext4 /dev/sda1 rw": id, parent,
// device, the folder of the volume that is mounted, the mount point, options, any
// number of optional fields up to "-", then type, source and the volume's options.
bool parse_line(std::string_view line, Mount& mount) {
    const auto fields = split_fields(line);
    const auto dash = std::find(fields.begin(), fields.end(), std::string_view("-"));
    if (fields.size() < 6 || dash == fields.end() || fields.end() - dash < 3 ||
        dash - fields.begin() < 6)
        return false;
    unsigned major = 0;
    unsigned minor = 0;
    const auto colon = fields[2].find(':');
    if (!parse_number(fields[0], mount.id) || colon == std::string_view::npos ||
        !parse_number(fields[2].substr(0, colon), major) ||
        !parse_number(fields[2].substr(colon + 1), minor))
        return false;
    mount.device = makedev(major, minor);
    mount.root = unescape(fields[4]);
    mount.type = unescape(dash[1]);
    mount.source = unescape(dash[2]);
    // No name on the system holds a NUL: a table that writes one is not the kernel's.
    const auto has_nul = [](const std::string& s) { return s.find('\0') != std::string::npos; };
    return !mount.root.empty() && mount.root.front() == '/' && !has_nul(mount.root) &&
           !has_nul(mount.type) && !has_nul(mount.source);
}

} // namespace

std::vector<Mount> parse_mountinfo(std::string_view text) {
    std::vector<Mount> mounts;
    while (!text.empty()) {
        const auto end = std::min(text.find('\n'), text.size());
        Mount mount;
        if (parse_line(text.substr(0, end), mount))
            mounts.push_back(std::move(mount));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return mounts;
}

std::string volume_type(std::string_view table_type) {
    for (const std::string_view fuse : {"fuse.", "fuseblk."})
        if (table_type.substr(0, fuse.size()) == fuse && table_type.size() > fuse.size())
            return std::string(table_type.substr(fuse.size()));
    return std::string(table_type);
}

VolumeKind volume_kind(std::string_view root, const MountPlaces& places) {
    if (root == places.system_root)
        return VolumeKind::system;
    const bool removable =
        std::any_of(places.removable.begin(), places.removable.end(),
                    [&](std::string_view place) { return is_within(root, place); });
    return removable ? VolumeKind::removable : VolumeKind::fixed;
}

std::vector<Mount> drive_mounts(std::vector<Mount> mounts, const MountPlaces& places) {
    std::vector<Mount> drives;
    for (auto& mount : mounts) {
        // A hidden mount is dropped even when the one on top of it is no drive.
        std::erase_if(drives, [&](const Mount& m) { return m.root == mount.root; });
        drives.push_back(std::move(mount));
    }
    std::erase_if(drives, [&](const Mount& m) { return !is_drive(m, places); });
    std::sort(drives.begin(), drives.end(), [&](const Mount& a, const Mount& b) {
        const VolumeKind ka = volume_kind(a.root, places);
        const VolumeKind kb = volume_kind(b.root, places);
        return ka != kb ? ka < kb : a.root < b.root;
    });
    return drives;
}

} // namespace kadoru
