#include "platform/failure.h"
#include "platform/linux/drive_table.h"
#include "platform/linux/mountinfo_source.h"
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
#include <unistd.h>

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
    // a stands for the root file system, b is the card.
    DriveTable make() {
        return {std::make_unique<ListedMounts>(table), dir / "a/work", {dir / "a", {dir / "b"}}};
    }

    ScratchFolder dir;
    std::vector<Mount> table;
};

TEST_F(DriveTableTest, LettersStayWithTheirMountPointsForTheWholeRun) {
    DriveTable drives = make();
    // A drive goes by its label, or else by the last part of its mount point.
    EXPECT_THAT(drives.list(),
                ElementsAre(DriveInfo{"c:", dir / "a", "a"}, DriveInfo{"e:", dir / "b", "PLAYER"}));
    table.push_back(folder_mount(dir / "0")); // sorts first, comes last: takes the next letter
    EXPECT_EQ(drives.drive_of(dir / "0"), "f:");
    EXPECT_EQ(drives.list().back(), (DriveInfo{"f:", dir / "0", "0"}));

    const Mount card = table.front();
    table.erase(table.begin()); // the card is pulled
    EXPECT_TRUE(drives.is_known("e:"));
    EXPECT_FALSE(drives.is_ready("e:"));
    EXPECT_EQ(failure_of([&] { drives.root_of("e:"); }), 71);
    EXPECT_EQ(failure_of([&] { drives.free_space("E:"); }), 71);
    EXPECT_EQ(failure_of([&] { drives.current_folder("e:"); }), 71);
    EXPECT_EQ(drives.drive_of(dir / "b/x"), "e:");
    EXPECT_EQ(drives.list().size(), 2U);

    table.push_back(card); // and put back
    EXPECT_EQ(drives.root_of("e:"), dir / "b");
    EXPECT_EQ(drives.file_system_type("e:"), "fusefat");

    EXPECT_FALSE(drives.is_known("q:"));
    EXPECT_FALSE(drives.is_ready("q:"));
    for (const char* unknown : {"q:", "", "c", "c:\\"})
        EXPECT_EQ(failure_of([&] { drives.root_of(unknown); }), 68) << unknown;
}

TEST_F(DriveTableTest, AFolderLeftBehindByAPulledCardIsNotTheCard) {
    table.front().id += 1000; // the table names another mount than the folder reaches
    table.front().device += 1000;
    DriveTable drives = make();
    EXPECT_TRUE(drives.is_known("e:"));
    EXPECT_FALSE(drives.is_ready("e:"));
    EXPECT_EQ(failure_of([&] { drives.total_size("e:"); }), 71);
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
    EXPECT_EQ(drives.current_folder("e:"), dir / "b");
    drives.set_current_folder("e:", dir / "b/x");
    EXPECT_EQ(drives.current_folder("e:"), dir / "b/x");
    stdfs::remove(dir / "b/x");
    EXPECT_EQ(drives.current_folder("e:"), dir / "b");
    drives.set_current_folder("c:", dir / "a/inner");
    EXPECT_EQ(drives.current_folder("c:"), dir / "a/inner");
}

// Machines as the drive table letters them at the program's start. In the mount
// points, "root" stands for the root file system and "media/..." for removable media.
TEST(DriveLetters, TheMachinesDisksComeFirstAndACardIsNeverCOrD) {
    const std::pair<std::vector<const char*>, const char*> machines[] = {
        {{"media/card", "root"}, "c:root e:media/card"},
        {{"root", "media/card", "home", "boot"}, "c:root d:boot e:home f:media/card"},
        {{"root", "srv", "media/card"}, "c:root d:srv e:media/card"},
        {{"root", "media/stick", "media/card"}, "c:root e:media/card f:media/stick"}};
    for (const auto& [mounted, expected] : machines) {
        const ScratchFolder dir;
        std::vector<Mount> table;
        for (const char* folder : mounted) {
            stdfs::create_directories(dir / folder);
            table.push_back(folder_mount(dir / folder));
        }
        const DriveTable drives(std::make_unique<ListedMounts>(table), dir / "root",
                                {dir / "root", {dir / "media"}});
        std::string lettered;
        for (const auto& drive : drives.list()) {
            const std::string folder = drive.root.substr(dir.path().size() + 1);
            lettered += (lettered.empty() ? "" : " ") + drive.drive + folder;
            // The delete step leaves the machine's own disks alone, whatever their letter.
            EXPECT_EQ(drives.is_fixed(drive.drive), folder.rfind("media/", 0) != 0) << folder;
        }
        EXPECT_EQ(lettered, expected);
    }
}

TEST(DriveLetters, VolumesSeenLaterTakeTheNextLetterAndKeepWhatTheyAre) {
    const ScratchFolder dir;
    stdfs::create_directories(dir / "root");
    std::vector<Mount> table = {folder_mount(dir / "root")};
    const DriveTable drives(std::make_unique<ListedMounts>(table), dir / "root",
                            {dir / "root", {dir / "media"}});
    EXPECT_EQ(drives.list().size(), 1U);
    const std::tuple<const char*, const char*, bool> later[] = {
        {"media/card", "e:", false}, // plugged in after the start
        {"data", "f:", true},        // a disk of the machine's, mounted later
        {"media/stick", "g:", false}};
    for (const auto& [folder, drive, fixed] : later) {
        stdfs::create_directories(dir / folder);
        table.push_back(folder_mount(dir / folder));
        EXPECT_EQ(drives.drive_of(dir / folder), drive);
        EXPECT_EQ(drives.is_fixed(drive), fixed) << drive;
    }
    EXPECT_FALSE(drives.is_fixed("q:"));
    EXPECT_EQ(next_letter("y:", VolumeKind::removable), "z:");
    EXPECT_EQ(next_letter("z:", VolumeKind::fixed), std::nullopt); // no letters left
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
    EXPECT_EQ(drives.allocation_unit(letter), static_cast<std::uint64_t>(::getpagesize()));
    const std::string volume = drives.volume_id(letter);

    card.unmount();
    ASSERT_TRUE(stdfs::is_directory(card.path())); // the mount point stays behind
    EXPECT_FALSE(drives.is_ready(letter));
    EXPECT_EQ(failure_of([&] { drives.root_of(letter); }), 71);
    EXPECT_EQ(failure_of([&] { drives.free_space(letter); }), 71);

    card.mount_again();
    ASSERT_TRUE(card.mounted());
    EXPECT_TRUE(drives.is_ready(letter));
    EXPECT_EQ(drives.volume_id(letter), volume); // known again after a remount
    EXPECT_EQ(drives.drive_of(card.path()), letter);
}

} // namespace
} // namespace kadoru
