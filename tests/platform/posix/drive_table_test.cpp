#include "platform/failure.h"
#include "platform/posix/drive_table.h"
#include "platform/posix/mountinfo_source.h"
#include "support/failure_of.h"
#include "support/listed_mounts.h"
#include "support/scratch.h"

#include <fcntl.h>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

namespace kadoru {
namespace {

namespace stdfs = std::filesystem;
using test::failure_of;
using test::folder_mount;
using test::ListedMounts;
using test::ScratchFolder;
using test::TmpfsMount;
using ::testing::ElementsAre;

class DriveTableTest : public ::testing::Test {
protected:
    DriveTableTest() {
        for (const char* folder : {"a/inner", "a/work", "b/x", "0"})
            stdfs::create_directories(dir / folder);
        table = {folder_mount(dir / "b", "fuse.fusefat", "PLAYER"), folder_mount(dir / "a")};
    }
    DriveTable make() { return {std::make_unique<ListedMounts>(table), dir / "a/work"}; }

    ScratchFolder dir;
    std::vector<Mount> table;
};

TEST_F(DriveTableTest, LettersStayWithTheirMountPointsForTheWholeRun) {
    DriveTable drives = make();
    EXPECT_THAT(drives.list(), ElementsAre(DriveInfo{"c:", dir / "a", dir / "a"},
                                           DriveInfo{"d:", dir / "b", "PLAYER"}));
    table.push_back(folder_mount(dir / "0")); // sorts first, comes last: takes the next letter
    EXPECT_EQ(drives.drive_of(dir / "0"), "e:");

    const Mount card = table.front();
    table.erase(table.begin()); // the card is pulled
    EXPECT_TRUE(drives.is_known("d:"));
    EXPECT_FALSE(drives.is_ready("d:"));
    EXPECT_EQ(failure_of([&] { drives.root_of("d:"); }), 71);
    EXPECT_EQ(failure_of([&] { drives.free_space("D:"); }), 71);
    EXPECT_EQ(failure_of([&] { drives.current_folder("d:"); }), 71);
    EXPECT_EQ(drives.drive_of(dir / "b/x"), "d:");
    EXPECT_EQ(drives.list().size(), 2U);

    table.push_back(card); // and put back
    EXPECT_EQ(drives.root_of("d:"), dir / "b");
    EXPECT_EQ(drives.file_system_type("d:"), "fusefat");

    EXPECT_FALSE(drives.is_known("q:"));
    EXPECT_FALSE(drives.is_ready("q:"));
    for (const char* unknown : {"q:", "", "c", "c:\\"})
        EXPECT_EQ(failure_of([&] { drives.root_of(unknown); }), 68) << unknown;
}

TEST_F(DriveTableTest, AFolderLeftBehindByAPulledCardIsNotTheCard) {
    table.front().id += 1000; // the table names another mount than the folder reaches
    table.front().device += 1000;
    DriveTable drives = make();
    EXPECT_TRUE(drives.is_known("d:"));
    EXPECT_FALSE(drives.is_ready("d:"));
    EXPECT_EQ(failure_of([&] { drives.total_size("d:"); }), 71);
    EXPECT_TRUE(stdfs::is_directory(dir / "b"));
}

TEST_F(DriveTableTest, APathBelongsToTheDriveWithTheLongestMountPoint) {
    table.push_back(folder_mount(dir / "a/inner"));
    const DriveTable drives = make();
    EXPECT_EQ(drives.drive_of(dir / "a/inner/song.mp3"), "d:"); // a, a/inner, b
    EXPECT_EQ(drives.drive_of(dir / "a/inner"), "d:");
    EXPECT_EQ(drives.drive_of(dir / "a/innerx"), "c:");
    EXPECT_EQ(drives.drive_of(dir / "a"), "c:");
    EXPECT_EQ(drives.drive_of(dir.path()), "");
    EXPECT_EQ(drives.drive_of("a/inner"), "");
}

TEST_F(DriveTableTest, EachDriveRemembersItsCurrentFolder) {
    DriveTable drives = make();
    EXPECT_EQ(drives.current_folder("c:"), dir / "a/work"); // the working folder's drive
    EXPECT_EQ(drives.current_folder("d:"), dir / "b");
    drives.set_current_folder("d:", dir / "b/x");
    EXPECT_EQ(drives.current_folder("d:"), dir / "b/x");
    stdfs::remove(dir / "b/x");
    EXPECT_EQ(drives.current_folder("d:"), dir / "b");
    drives.set_current_folder("c:", dir / "a/inner");
    EXPECT_EQ(drives.current_folder("c:"), dir / "a/inner");
}

TEST(SystemDriveTable, FollowsATmpfsThatComesAndGoes) {
    const ScratchFolder dir;
    TmpfsMount card(dir / "my card");
    if (!card.mounted())
        GTEST_SKIP() << card.why_not();
    const DriveTable drives(std::make_unique<MountInfoSource>(), dir.path());
    const std::string letter = drives.drive_of(card.path() + "/song.mp3");
    ASSERT_NE(letter, "c:");
    ASSERT_TRUE(drives.is_ready(letter));
    EXPECT_EQ(drives.root_of(letter), card.path());
    EXPECT_EQ(drives.file_system_type(letter), "tmpfs");
    struct statvfs figures {};
    ASSERT_EQ(::statvfs(card.path().c_str(), &figures), 0);
    EXPECT_EQ(drives.free_space(letter), figures.f_bavail * figures.f_frsize);
    EXPECT_EQ(drives.total_size(letter), figures.f_blocks * figures.f_frsize);
    EXPECT_EQ(drives.total_size(letter), 1U << 20);

    card.unmount();
    ASSERT_TRUE(stdfs::is_directory(card.path())); // the mount point stays behind
    EXPECT_FALSE(drives.is_ready(letter));
    EXPECT_EQ(failure_of([&] { drives.root_of(letter); }), 71);
    EXPECT_EQ(failure_of([&] { drives.free_space(letter); }), 71);

    card.mount_again();
    ASSERT_TRUE(card.mounted());
    EXPECT_TRUE(drives.is_ready(letter));
    EXPECT_EQ(drives.drive_of(card.path()), letter);
}

} // namespace
} // namespace kadoru
