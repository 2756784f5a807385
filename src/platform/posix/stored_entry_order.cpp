#include "platform/posix/stored_entry_order.h"

#include "platform/posix/exfat_root.h"
#include "platform/posix/mount_table.h"

#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <sys/vfs.h>

namespace kadoru {

namespace {

// What statfs calls a volume served by a FUSE driver.
constexpr long fuse_magic = 0x65735546;

bool is_fuse_volume(const std::string& folder) {
    struct statfs figures {};
    return ::statfs(folder.c_str(), &figures) == 0 && figures.f_type == fuse_magic;
}

std::optional<Mount> mount_of(const std::string& folder) {
    struct statx st {};
    if (::statx(AT_FDCWD, folder.c_str(), 0, STATX_MNT_ID, &st) != 0 ||
        (st.stx_mask & STATX_MNT_ID) == 0)
        return std::nullopt;
    std::ifstream table("/proc/self/mountinfo", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(table), std::istreambuf_iterator<char>()};
    for (auto& mount : parse_mountinfo(text))
        if (mount.id == st.stx_mnt_id)
            return mount;
    return std::nullopt;
}

bool is_fuse_block_mount(const Mount& mount) {
    return mount.type.rfind("fuseblk", 0) == 0;
}

bool same_folder(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

} // namespace

std::optional<std::vector<std::string>> stored_entry_order(const std::string& folder) {
    // Cheap checks first: this runs on every directory read of the card.
    if (!is_fuse_volume(folder))
        return std::nullopt;
    const auto mount = mount_of(folder);
    if (!mount || !is_fuse_block_mount(*mount) || mount->source.rfind('/', 0) != 0 ||
        !same_folder(folder, mount->root))
        return std::nullopt;
    return exfat_root_names(mount->source);
}

bool lists_in_own_order(const std::string& folder) {
    if (!is_fuse_volume(folder))
        return false;
    const auto mount = mount_of(folder);
    return mount && is_fuse_block_mount(*mount);
}

} // namespace kadoru
