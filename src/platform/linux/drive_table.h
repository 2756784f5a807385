#pragma once

#include "platform/drives.h"
#include "platform/linux/mount_table.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kadoru {

// The drive string a volume takes when the run first sees it, given the last one
// given before (empty at first): the root file system c:, another fixed volume the
// next letter from d:, removable media the next from e:, so that a card is never
// c: or d:, as on a machine with a system disk and a second one. Letters never move
// during a run, so a volume seen later takes a letter after all the others. None
// past z:.
std::optional<std::string> next_letter(std::string_view last_given, VolumeKind kind);

// The drives of a system without drive letters: mounted volumes lettered by
// next_letter in the order drive_mounts gives. A drive keeps its letter
// for the whole run; one that is no longer mounted stays known but is not ready
// (71), and gets its letter back when a volume is mounted at its mount point again.
// The mount table is asked at each use, and the drive's folder must reach the very
// mount the table names: a pulled card leaves its mount point behind as an empty
// folder of another drive, and copies must not land there. drive_of counts gone
// drives too, so that using a path on a pulled card says that card is not ready.
class DriveTable final : public Drives {
public:
    // working_folder becomes the current folder of the drive that holds it; places
    // tell the machine's own volumes from removable ones.
    DriveTable(std::unique_ptr<MountSource> source, std::string working_folder,
               MountPlaces places = {});

    std::vector<DriveInfo> list() const override;
    std::string root_of(std::string_view drive) const override;
    std::string drive_of(std::string_view path) const override;
    bool is_known(std::string_view drive) const override;
    bool is_ready(std::string_view drive) const override;
    bool is_fixed(std::string_view drive) const override;

    std::string current_folder(std::string_view drive) const override;
    void set_current_folder(std::string_view drive, const std::string& folder) override;

    std::uint64_t free_space(std::string_view drive) const override;
    std::uint64_t total_size(std::string_view drive) const override;
    std::uint64_t allocation_unit(std::string_view drive) const override;
    std::string volume_id(std::string_view drive) const override;
    std::string file_system_type(std::string_view drive) const override;

private:
    struct Drive {
        std::string letter;
        Mount mount;
        std::string current;
        bool mounted = false;
        VolumeKind kind = VolumeKind::fixed;
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
    MountPlaces places_;
    mutable std::vector<Drive> drives_;
};

// The drive table of this machine, with the process's working folder.
std::unique_ptr<DriveTable> system_drive_table();

} // namespace kadoru
