#pragma once

#include "platform/drives.h"
#include "platform/posix/mount_table.h"

#include <memory>
#include <string>
#include <vector>

namespace kadoru {

// The drives of a system without drive letters: mounted volumes lettered from c:
// (the root file system) in the order drive_mounts gives. A drive keeps its letter
// for the whole run; one that is no longer mounted stays known but is not ready
// (71), and gets its letter back when a volume is mounted at its mount point again.
// The mount table is asked at each use, and the drive's folder must reach the very
// mount the table names: a pulled card leaves its mount point behind as an empty
// folder of another drive, and copies must not land there. drive_of counts gone
// drives too, so that using a path on a pulled card says that card is not ready.
class DriveTable final : public Drives {
public:
    // working_folder becomes the current folder of the drive that holds it.
    DriveTable(std::unique_ptr<MountSource> source, std::string working_folder);

    std::vector<DriveInfo> list() const override;
    std::string root_of(std::string_view drive) const override;
    std::string drive_of(std::string_view path) const override;
    bool is_known(std::string_view drive) const override;
    bool is_ready(std::string_view drive) const override;

    std::string current_folder(std::string_view drive) const override;
    void set_current_folder(std::string_view drive, const std::string& folder) override;

    std::uint64_t free_space(std::string_view drive) const override;
    std::uint64_t total_size(std::string_view drive) const override;
    std::string file_system_type(std::string_view drive) const override;

private:
    struct Drive {
        std::string letter;
        Mount mount;
        std::string current;
        bool mounted = false;
    };

    // Reads the mount table: letters new drives and notes which are mounted now.
    // The letters are state of the run, not of the object's value, hence mutable.
    void refresh() const;
    Drive* find(std::string_view drive) const;
    // The drive, mounted and reachable now; 68 when unknown, 71 when not ready.
    const Drive& ready(std::string_view drive) const;
    bool reachable(const Drive& drive) const;
    std::string letter_holding(std::string_view path) const;

    std::unique_ptr<MountSource> source_;
    std::string working_folder_;
    mutable std::vector<Drive> drives_;
};

// The drive table of this machine, with the process's working folder.
std::unique_ptr<DriveTable> system_drive_table();

} // namespace kadoru
