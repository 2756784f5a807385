#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

// One mounted volume as the system's mount table describes it.
struct Mount {
    std::string root;         // the mount point
    std::string source;       // what is mounted: "/dev/sdb1", "tmpfs", "sshfs#host:"
    std::string type;         // the file system type as the table names it: "vfat", "fuse.sshfs"
    std::string label;        // the volume label; empty when there is none or it is unknown
    std::uint64_t id = 0;     // the system's mount id, 0 when unknown
    std::uint64_t device = 0; // the volume's device number, 0 when unknown

    friend bool operator==(const Mount&, const Mount&) = default;
};

// Where the drive table learns what is mounted now.
class MountSource {
public:
    virtual ~MountSource() = default;
    // The mounts in the table's own order: a later mount on the same point hides
    // an earlier one.
    virtual std::vector<Mount> mounts() const = 0;
};

// The mounts described by the text of /proc/<pid>/mountinfo; malformed lines are
// passed over.
std::vector<Mount> parse_mountinfo(std::string_view text);

// The name people know a volume's file system by: a FUSE volume goes by its
// driver's name ("fuse.sshfs" is "sshfs") where the table gives it.
std::string volume_type(std::string_view table_type);

// Where a machine's volumes lie: its root file system, and the folders below which
// removable media and the user's own mounts appear. Tests name folders of their own.
struct MountPlaces {
    std::string system_root = "/";
    std::vector<std::string> removable = {"/media", "/run/media", "/mnt"};
};

// What a volume is to the machine, by where it is mounted: its root file system,
// another of its own (fixed) disks, or removable media and the user's own mounts.
enum class VolumeKind { system, fixed, removable };
VolumeKind volume_kind(std::string_view root, const MountPlaces& places = {});

// The mounts that are drives, in the order they take letters: the root file
// system, then fixed volumes, then removable and user mounts, each group sorted
// by mount point. Of several mounts on one point only the last, visible one counts.
std::vector<Mount> drive_mounts(std::vector<Mount> mounts, const MountPlaces& places = {});

} // namespace kadoru
