#include "platform/linux/folder_room.h"

#include "platform/linux/exfat_device.h"
#include "platform/linux/file_status.h"
#include "platform/linux/stored_entry_order.h"

#include <cstdint>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>

namespace kadoru {

namespace {

// The kernel driver's root folder, whatever the FAT type.
constexpr ino_t fat_root_inode = 1;
// Fewer clusters than this make a FAT12 or FAT16 volume, whose root is of set size.
constexpr std::uint64_t fat32_least_clusters = 65525;
constexpr std::uint64_t slot_bytes = 32;
// A volume label takes a slot of the root that no listing shows.
constexpr int label_slot = 1;

FolderRoom kernel_fat_room(const std::string& folder, const std::vector<std::string>& names,
                           const struct statfs& figures) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || st.st_ino != fat_root_inode)
        return {};
    if (figures.f_blocks >= fat32_least_clusters)
        return {};
    // The driver gives the set root its whole size, every slot counted.
    int free_slots = static_cast<int>(static_cast<std::uint64_t>(st.st_size) / slot_bytes);
    free_slots -= label_slot;
    for (const auto& name : names)
        free_slots -= slots_for_name(name);
    return {FolderRoom::Kind::fixed, free_slots < 0 ? 0 : free_slots};
}

FolderRoom fuse_room(const std::string& folder, const MountSource& mounts) {
    const auto mount = mount_of(folder, mounts);
    if (!mount || !same_file(folder, mount->root))
        return {};
    // exFAT folders grow; any other FUSE volume may be a FAT16 one that says nothing.
    if (mount->source.starts_with('/') && is_exfat_volume(mount->source))
        return {};
    if (mount->type.find("fat") == std::string::npos && mount->type != "fuseblk")
        return {};
    return {FolderRoom::Kind::unknown};
}

} // namespace

FolderRoom folder_room_of(const std::string& folder, const std::vector<std::string>& names,
                          const MountSource& mounts) {
    struct statfs figures {};
    if (::statfs(folder.c_str(), &figures) != 0)
        return {};
    if (figures.f_type == MSDOS_SUPER_MAGIC)
        return kernel_fat_room(folder, names, figures);
    if (figures.f_type == FUSE_SUPER_MAGIC)
        return fuse_room(folder, mounts);
    return {};
}

} // namespace kadoru
