#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

// A drive as the selectors show it: its drive string ("e:"), its root folder and
// a label for people (volume label or mount point).
struct DriveInfo {
    std::string drive;
    std::string root;
    std::string label;

    friend bool operator==(const DriveInfo&, const DriveInfo&) = default;
};

// The drives of the machine, named by drive strings. On systems without drive
// letters the implementation maps mounted volumes onto letters. Operations that
// name a drive that is gone or unreadable throw Failure(71).
class Drives {
public:
    virtual ~Drives() = default;

    // The drives present now, in letter order.
    virtual std::vector<DriveInfo> list() const = 0;
    // The root folder of a drive string; 71 when it is not ready, 68 when unknown.
    virtual std::string root_of(std::string_view drive) const = 0;
    // The drive string of the drive that holds a path (longest mount prefix).
    virtual std::string drive_of(std::string_view path) const = 0;
    // Whether the drive string names a drive this run has listed (ready or not).
    virtual bool is_known(std::string_view drive) const = 0;
    virtual bool is_ready(std::string_view drive) const = 0;
    // Whether the drive is one of the machine's own disks (its system disk or another
    // fixed one), not removable media; false for a drive this run has not listed.
    virtual bool is_fixed(std::string_view drive) const = 0;

    // The last folder shown on the drive in this run of the program.
    virtual std::string current_folder(std::string_view drive) const = 0;
    virtual void set_current_folder(std::string_view drive, const std::string& folder) = 0;

    virtual std::uint64_t free_space(std::string_view drive) const = 0;
    virtual std::uint64_t total_size(std::string_view drive) const = 0;
    // The unit the volume allocates files in (a FAT or exFAT cluster, a page of a
    // tmpfs): every file takes a whole number of them, a file of one byte one unit.
    virtual std::uint64_t allocation_unit(std::string_view drive) const = 0;
    // What tells the volume in the drive from any other, over unplugging, remounting
    // and restarting the program: a card is known again by it wherever it is mounted.
    virtual std::string volume_id(std::string_view drive) const = 0;
    // The file system type of the drive's volume ("vfat", "exfat", "ext4", ...).
    virtual std::string file_system_type(std::string_view drive) const = 0;
};

} // namespace kadoru
