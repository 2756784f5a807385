#include "platform/linux/drive_table.h"

#include "platform/failure.h"
#include "platform/linux/exfat_device.h"
#include "platform/linux/file_status.h"
#include "platform/linux/mountinfo_source.h"
#include "platform/paths.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <system_error>
#include <utility>

namespace kadoru {

namespace {

struct statvfs volume_figures(const std::string& root) {
    struct statvfs figures {};
    if (::statvfs(root.c_str(), &figures) != 0)
        throw Failure(failure_code::disk_not_ready);
    return figures;
}

// What the selectors call a drive: its volume label, or else the last part of its
// mount point, which fits the selector where a whole path would be cut short.
std::string drive_name(const Mount& mount) {
    if (!mount.label.empty())
        return mount.label;
    const auto name = std::filesystem::path(mount.root).filename().string();
    return name.empty() ? mount.root : name;
}

} // namespace

std::optional<std::string> next_letter(std::string_view last_given, VolumeKind kind) {
    // a: and b: are the floppies' on Windows.
    const char first = kind == VolumeKind::system ? 'c' : kind == VolumeKind::fixed ? 'd' : 'e';
    const char after = last_given.empty() ? 'c' : static_cast<char>(last_given.front() + 1);
    const char letter = std::max(first, after);
    if (letter > 'z')
        return std::nullopt;
    return std::string{letter, ':'};
}

DriveTable::DriveTable(std::unique_ptr<MountSource> source, std::string working_folder,
                       MountPlaces places)
    : source_(std::move(source)), working_folder_(std::move(working_folder)),
      places_(std::move(places)) {
}

void DriveTable::refresh() const {
    for (auto& drive : drives_)
        drive.mounted = false;
    for (auto& mount : drive_mounts(source_->mounts(), places_)) {
        const auto known = std::find_if(drives_.begin(), drives_.end(),
                                        [&](const Drive& d) { return d.mount.root == mount.root; });
        if (known != drives_.end()) {
            known->mount = std::move(mount);
            known->mounted = true;
        } else {
            const VolumeKind kind = volume_kind(mount.root, places_);
            if (auto letter = next_letter(drives_.empty() ? "" : drives_.back().letter, kind))
                drives_.push_back({std::move(*letter), std::move(mount), {}, true, kind});
        }
    }
}

DriveTable::Drive* DriveTable::find(std::string_view drive) const {
    if (!is_drive_string(drive))
        return nullptr;
    const std::string letter = leading_drive_string(drive);
    const auto it = std::find_if(drives_.begin(), drives_.end(),
                                 [&](const Drive& d) { return d.letter == letter; });
    return it == drives_.end() ? nullptr : &*it;
}

bool DriveTable::reachable(const Drive& drive) const {
    if (!drive.mounted)
        return false;
    struct statx st {};
    if (::statx(AT_FDCWD, drive.mount.root.c_str(), 0, STATX_TYPE | STATX_MNT_ID, &st) != 0 ||
        !S_ISDIR(st.stx_mode))
        return false;
    if ((st.stx_mask & STATX_MNT_ID) != 0 && drive.mount.id != 0)
        return st.stx_mnt_id == drive.mount.id;
    // Kernels before 5.8 give no mount id; the device number then tells most mounts apart.
    return drive.mount.device == 0 ||
           makedev(st.stx_dev_major, st.stx_dev_minor) == drive.mount.device;
}

const DriveTable::Drive& DriveTable::ready(std::string_view drive) const {
    refresh();
    const Drive* found = find(drive);
    if (found == nullptr)
        throw Failure(failure_code::device_unavailable);
    if (!reachable(*found))
        throw Failure(failure_code::disk_not_ready);
    return *found;
}

std::vector<DriveInfo> DriveTable::list() const {
    refresh();
    std::vector<DriveInfo> result;
    for (const auto& drive : drives_)
        if (reachable(drive))
            result.push_back({drive.letter, drive.mount.root, drive_name(drive.mount)});
    return result;
}

std::string DriveTable::root_of(std::string_view drive) const {
    return ready(drive).mount.root;
}

std::string DriveTable::letter_holding(std::string_view path) const {
    // Gone drives count too: a path on a pulled card is still that card's, and using
    // it must say the card is not ready rather than look on another drive.
    const Drive* best = nullptr;
    for (const auto& drive : drives_)
        if (is_within(path, drive.mount.root) &&
            (best == nullptr || drive.mount.root.size() > best->mount.root.size()))
            best = &drive;
    return best == nullptr ? std::string{} : best->letter;
}

std::string DriveTable::drive_of(std::string_view path) const {
    refresh();
    return letter_holding(path);
}

bool DriveTable::is_known(std::string_view drive) const {
    refresh();
    return find(drive) != nullptr;
}

bool DriveTable::is_ready(std::string_view drive) const {
    refresh();
    const Drive* found = find(drive);
    return found != nullptr && reachable(*found);
}

bool DriveTable::is_fixed(std::string_view drive) const {
    refresh();
    const Drive* found = find(drive);
    return found != nullptr && found->kind != VolumeKind::removable;
}

std::string DriveTable::current_folder(std::string_view drive) const {
    const Drive& found = ready(drive);
    // A folder deleted since it was shown is no place to return to.
    if (!found.current.empty() && is_folder(found.current))
        return found.current;
    if (found.current.empty() && letter_holding(working_folder_) == found.letter &&
        is_folder(working_folder_))
        return working_folder_;
    return found.mount.root;
}

void DriveTable::set_current_folder(std::string_view drive, const std::string& folder) {
    refresh();
    if (Drive* found = find(drive))
        found->current = folder;
}

std::uint64_t DriveTable::free_space(std::string_view drive) const {
    const auto figures = volume_figures(ready(drive).mount.root);
    return static_cast<std::uint64_t>(figures.f_bavail) * figures.f_frsize;
}

std::uint64_t DriveTable::total_size(std::string_view drive) const {
    const auto figures = volume_figures(ready(drive).mount.root);
    return static_cast<std::uint64_t>(figures.f_blocks) * figures.f_frsize;
}

std::uint64_t DriveTable::allocation_unit(std::string_view drive) const {
    // A driver that tells no unit (some FUSE ones say 0) is taken at its word per byte.
    return std::max<std::uint64_t>(volume_figures(ready(drive).mount.root).f_frsize, 1);
}

// The file system's UUID where the system names the volume by one (for FAT and exFAT
// the serial number it was formatted with, which no mount or reader changes). Else
// what the mount table says of it, with its capacity: the same while the card stays
// in the same reader and is mounted at the same place, as a desktop mounts a card by
// its label. The device number alone would not do: a FUSE volume takes a new one at
// each mount.
std::string DriveTable::volume_id(std::string_view drive) const {
    const Mount& mount = ready(drive).mount;
    std::error_code error;
    for (std::filesystem::directory_iterator it("/dev/disk/by-uuid", error), end;
         !error && it != end; it.increment(error)) {
        std::error_code unlike;
        if (std::filesystem::equivalent(it->path(), mount.source, unlike))
            return "uuid " + it->path().filename().string();
    }
    return "mount " + mount.source + " " + mount.root + " " + mount.label + " " +
           std::to_string(total_size(drive));
}

std::string DriveTable::file_system_type(std::string_view drive) const {
    const Mount& mount = ready(drive).mount;
    std::string type = volume_type(mount.type);
    // A FUSE driver of a block device often names no file system at all; the
    // volume's boot sector does (where the device may be read).
    if (type == "fuseblk" && is_exfat_volume(mount.source))
        return "exfat";
    return type;
}

std::unique_ptr<DriveTable> system_drive_table() {
    std::error_code error;
    auto working = std::filesystem::current_path(error);
    return std::make_unique<DriveTable>(std::make_unique<MountInfoSource>(),
                                        error ? std::string{"/"} : working.string());
}

} // namespace kadoru
