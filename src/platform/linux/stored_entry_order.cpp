#include "platform/linux/stored_entry_order.h"

#include "platform/linux/exfat_device.h"
#include "platform/linux/file_status.h"
#include "platform/linux/mount_table.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>

namespace kadoru {

namespace {

bool is_fuse_block_mount(const Mount& mount) {
    return mount.type.starts_with("fuseblk");
}

} // namespace

bool is_fuse_volume(const std::string& folder) {
    struct statfs figures {};
    return ::statfs(folder.c_str(), &figures) == 0 && figures.f_type == FUSE_SUPER_MAGIC;
}

std::optional<Mount> mount_of(const std::string& folder, const MountSource& mounts) {
    struct statx st {};
    if (::statx(AT_FDCWD, folder.c_str(), 0, STATX_MNT_ID, &st) != 0 ||
        (st.stx_mask & STATX_MNT_ID) == 0)
        return std::nullopt;
    for (auto& mount : mounts.mounts())
        if (mount.id == st.stx_mnt_id)
            return mount;
    return std::nullopt;
}

std::optional<std::vector<std::string>> stored_entry_order(const std::string& folder,
                                                           const MountSource& mounts) {
    // Cheap checks first: this runs on every directory read of the card.
    if (!is_fuse_volume(folder))
        return std::nullopt;
    const auto mount = mount_of(folder, mounts);
    if (!mount || !is_fuse_block_mount(*mount) || !mount->source.starts_with('/') ||
        !same_file(folder, mount->root))
        return std::nullopt;
    return exfat_root_names(mount->source);
}

bool lists_in_own_order(const std::string& folder, const MountSource& mounts) {
    if (!is_fuse_volume(folder))
        return false;
    const auto mount = mount_of(folder, mounts);
    return mount && is_fuse_block_mount(*mount);
}

} // namespace kadoru
