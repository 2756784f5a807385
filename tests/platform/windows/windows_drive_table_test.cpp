// The drive table on the letters ./scripts/test windows gives Wine: a card (removable),
// a fixed disk labelled DATA, a card of 256 KiB and a card whose folder is gone.
#include "platform/failure.h"
#include "platform/windows/windows_drive_table.h"
#include "support/failure_of.h"
#include "support/scratch_folder.h"
#include "system_pair.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kadoru {
namespace {

using test::failure_of;
using test::ScratchFolder;
using test::test_letter;
using ::testing::Contains;
using ::testing::Not;

class WindowsDriveTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (card.empty() || fixed.empty() || small.empty() || gone.empty())
            GTEST_SKIP() << "no test letters: run ./scripts/test windows";
    }

    const std::string card = test_letter("KADORU_TEST_CARD");
    const std::string fixed = test_letter("KADORU_TEST_FIXED");
    const std::string small = test_letter("KADORU_TEST_SMALL_CARD");
    const std::string gone = test_letter("KADORU_TEST_GONE");
    const ScratchFolder dir;
    WindowsDriveTable drives{dir.path()};
};

TEST_F(WindowsDriveTableTest, ListsTheLettersWithTheirLabelsAndKinds) {
    const auto list = drives.list();
    EXPECT_THAT(list, Contains(DriveInfo{fixed, fixed + "\\", "DATA"}));
    EXPECT_THAT(list, Contains(::testing::Field(&DriveInfo::drive, card)));
    EXPECT_THAT(list, Not(Contains(::testing::Field(&DriveInfo::drive, gone))));
    // The delete step leaves the machine's own disks alone.
    for (const auto& [drive, own] : {std::pair{std::string("c:"), true}, std::pair{fixed, true},
                                     std::pair{card, false}, std::pair{small, false}})
        EXPECT_EQ(drives.is_fixed(drive), own) << drive;
    EXPECT_FALSE(drives.is_fixed("q:"));
    EXPECT_EQ(drives.root_of(std::string(1, static_cast<char>(std::toupper(card[0]))) + ":"),
              card + "\\");
    EXPECT_EQ(drives.total_size(small), 256U * 1024U);
    EXPECT_LE(drives.free_space(small), drives.total_size(small));
    EXPECT_FALSE(drives.file_system_type(card).empty());
    EXPECT_GE(drives.allocation_unit(small), 512U);
    EXPECT_EQ(drives.volume_id(card), drives.volume_id(card));
}

TEST_F(WindowsDriveTableTest, APathBelongsToTheDriveOfItsLetter) {
    EXPECT_EQ(drives.drive_of(dir / "a.mp3"), "c:");
    EXPECT_EQ(drives.drive_of(std::string(1, static_cast<char>(std::toupper(card[0]))) +
                              ":\\Music\\a.mp3"),
              card);
    EXPECT_EQ(drives.drive_of(gone + "\\a.mp3"), gone); // a pulled card's path is still the card's
    EXPECT_EQ(drives.drive_of("q:\\a.mp3"), "");
    EXPECT_EQ(drives.drive_of("Music\\a.mp3"), "");
}

TEST_F(WindowsDriveTableTest, ACardWhoseMediumIsGoneIsKnownButNotReady) {
    EXPECT_TRUE(drives.is_known(gone));
    EXPECT_FALSE(drives.is_ready(gone));
    for (const auto& use : std::vector<std::function<void()>>{
             [&] { drives.root_of(gone); }, [&] { drives.free_space(gone); },
             [&] { drives.total_size(gone); }, [&] { drives.current_folder(gone); },
             [&] { drives.file_system_type(gone); }, [&] { drives.allocation_unit(gone); },
             [&] { drives.volume_id(gone); }})
        EXPECT_EQ(failure_of(use), 71);
    EXPECT_FALSE(drives.is_known("q:"));
    for (const char* unknown : {"q:", "", "c", "c:\\"})
        EXPECT_EQ(failure_of([&] { drives.root_of(unknown); }), 68) << unknown;
}

TEST_F(WindowsDriveTableTest, EachDriveRemembersItsCurrentFolder) {
    EXPECT_EQ(drives.current_folder("c:"), dir.path()); // the working folder's drive
    EXPECT_EQ(drives.current_folder(fixed), fixed + "\\");
    const std::string sub = fixed + "\\kadoru-current";
    std::filesystem::create_directory(test::std_path(sub));
    drives.set_current_folder(fixed, sub);
    EXPECT_EQ(drives.current_folder(fixed), sub);
    std::filesystem::remove(test::std_path(sub));
    EXPECT_EQ(drives.current_folder(fixed), fixed + "\\");
}

} // namespace
} // namespace kadoru
