#include "platform/linux/mount_table.h"
#include "platform/linux/mountinfo_source.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/sysmacros.h>

namespace kadoru {
namespace {

using ::testing::ElementsAre;

TEST(MountInfo, ReadsEachMountOfTheTable) {
    const auto mounts = parse_mountinfo(
        "27 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
        "45 27 0:40 / /media/u/MY\\040CARD rw,nosuid shared:3 master:2 - vfat /dev/sdb1 rw\n"
        "46 27 0:41 /sub /mnt/back\\134slash rw - fuse.sshfs me@host:/x rw\n"
        "47 27 0:42 / /opt rw - tmpfs tmpfs rw\n"
        "garbage line\n"
        "48 27 x:1 / /bad rw - ext4 /dev/x rw\n"
        "49 27 0:43 / relative rw - ext4 /dev/y rw");
    ASSERT_EQ(mounts.size(), 4U);
    EXPECT_EQ(mounts[0], (Mount{"/", "/dev/vda", "ext4", "", 27, makedev(254, 0)}));
    EXPECT_EQ(mounts[1], (Mount{"/media/u/MY CARD", "/dev/sdb1", "vfat", "", 45, makedev(0, 40)}));
    EXPECT_EQ(mounts[2].root, "/mnt/back\\slash");
    EXPECT_EQ(mounts[2].source, "me@host:/x");
    EXPECT_EQ(mounts[3].type, "tmpfs");
}

// Lines no kernel writes, as a damaged or foreign table may hold them: the mount
// point read, or none for a line passed over.
TEST(MountInfo, ReadsTheMountPointOfAHostileLineOrPassesTheLineOver) {
    const std::pair<const char*, const char*> lines[] = {
        {"1 2 0:1 / /mnt/a\\777 rw - ext4 s rw", "/mnt/a\\777"},
        {"1 2 0:1 / /mnt/\\060\\061 rw - ext4 s rw", "/mnt/01"},
        {"1 2 0:1 / \\057etc rw - ext4 s rw", "/etc"},
        {"1 2 0:1 / /a\\ rw - ext4 s rw", "/a\\"},
        {"1 2 0:1 / /a\\01 rw - ext4 s rw", "/a\\01"},
        {"  1  2 0:1 / /a rw  - ext4 s rw  ", "/a"},
        {"1 2 0:1 / /a\\000b rw - ext4 s rw", nullptr},
        {"1 2 0:1 / /a rw - ext4 s\\000 rw", nullptr},
        {"1 2 0:1 / /a rw - ext4", nullptr},
        {"1 2 0:1 / /a rw ext4 s rw", nullptr},
        {"1 - 0:1 / /a rw - ext4 s rw", nullptr},
        {"1 2 99999999999:1 / /a rw - ext4 s rw", nullptr},
        {"18446744073709551616 2 0:1 / /a rw - ext4 s rw", nullptr},
        {"1\t2 0:1 / /a rw - ext4 s rw", nullptr},
        {"1 2 0:1 / - rw - ext4 s rw", nullptr}};
    for (const auto& [line, root] : lines) {
        if (root == nullptr)
            EXPECT_THAT(parse_mountinfo(line), ::testing::IsEmpty()) << line;
        else
            EXPECT_THAT(parse_mountinfo(line), ElementsAre(::testing::Field(&Mount::root, root)))
                << line;
    }
}

TEST(MountInfo, NamesFuseVolumesByTheirDriver) {
    EXPECT_EQ(volume_type("fuse.sshfs"), "sshfs");
    EXPECT_EQ(volume_type("fuseblk.exfat"), "exfat");
    EXPECT_EQ(volume_type("fuseblk"), "fuseblk");
    EXPECT_EQ(volume_type("fuse."), "fuse.");
    EXPECT_EQ(volume_type("vfat"), "vfat");
}

TEST(MountInfo, DecodesLabelsAsUdevWritesThem) {
    EXPECT_EQ(decode_label("MY\\x20CARD"), "MY CARD");
    EXPECT_EQ(decode_label("A\\x2fB\\x5c"), "A/B\\");
    EXPECT_EQ(decode_label("\\x2G\\x"), "\\x2G\\x");
    EXPECT_EQ(decode_label("ミュージック"), "ミュージック");
    EXPECT_EQ(decode_label("\\x5cx41"), "\\x41"); // an escaped backslash starts no escape
    EXPECT_EQ(decode_label("\\x+1\\x-1\\x 1"), "\\x+1\\x-1\\x 1");
    EXPECT_EQ(decode_label("\\x00\\xff"), std::string("\0\xff", 2));
}

Mount at(const char* root, const char* type = "ext4") {
    return {root, "/dev/x", type, "", 0, 0};
}

std::vector<std::string> roots(const std::vector<Mount>& mounts) {
    std::vector<std::string> result;
    result.reserve(mounts.size());
    for (const auto& m : mounts)
        result.push_back(m.root);
    return result;
}

TEST(DriveMounts, RootThenFixedThenRemovableEachByMountPoint) {
    const auto drives = drive_mounts({
        at("/mnt/usb"),
        at("/media/u/B", "vfat"),
        at("/home"),
        at("/run/media/u/A", "exfat"),
        at("/", "overlay"),
        at("/data"),
        at("/mediabox"),
        at("/media/u/A", "fuse.fusefat"),
        at("/tmp", "tmpfs"),
    });
    EXPECT_THAT(roots(drives), ElementsAre("/", "/data", "/home", "/mediabox", "/tmp", "/media/u/A",
                                           "/media/u/B", "/mnt/usb", "/run/media/u/A"));
}

TEST(DriveMounts, LeavesOutWhatHoldsNoUserData) {
    const auto drives = drive_mounts({
        at("/"),
        at("/proc", "proc"),
        at("/sys/fs/cgroup", "tmpfs"),
        at("/dev/shm", "tmpfs"),
        at("/run", "tmpfs"),
        at("/run/user/1000", "tmpfs"),
        at("/run/user/1000/gvfs", "fuse.gvfsd-fuse"),
        at("/snap/core/1", "squashfs"),
        at("/etc/hosts"),
        at("/home/u/x", "debugfs"),
        at("/srv/cg", "cgroup2"),
        at("/procfs"),
        at("/home"),
    });
    EXPECT_THAT(roots(drives), ElementsAre("/", "/home", "/procfs"));
}

TEST(DriveMounts, KeepsOnlyTheVisibleMountOfAPoint) {
    auto top = at("/media/card", "vfat");
    top.id = 2;
    auto hidden = at("/media/card", "exfat");
    hidden.id = 1;
    auto proc_on_top = at("/home", "proc");
    EXPECT_THAT(drive_mounts({at("/"), hidden, at("/home"), top, proc_on_top}),
                ElementsAre(at("/"), top));
}

} // namespace
} // namespace kadoru
