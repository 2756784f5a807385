#include "card/order_guard.h"
#include "fakes/fake_slot_file_system.h"
#include "platform/failure.h"
#include "support/failure_of.h"

#include <array>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kadoru {
namespace {

using test::failure_of;
using test::SlotFileSystem;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

TEST(KeepsEntryOrder, FatAndExfatByAnyDriverOrCase) {
    const std::vector<std::pair<std::string, bool>> table = {
        {"vfat", true},      {"msdos", true},  {"fat", true},     {"FAT32", true},
        {"exfat", true},     {"exFAT", true},  {"fusefat", true}, {"exfat-fuse", true},
        {"ext4", false},     {"tmpfs", false}, {"ntfs", false},   {"fuseblk", false},
        {"ntfs3", false},    {"btrfs", false}, {"", false},       {"vfat2", false},
        {"fuse.vfat", false}};
    for (const auto& [type, keeps] : table)
        EXPECT_EQ(keeps_entry_order(type), keeps) << type;
}

TEST(PlaceholderName, RecognisedInAnyCaseAndNothingElse) {
    EXPECT_EQ(placeholder_name(0), "KDR00000.TMP");
    EXPECT_EQ(placeholder_name(4711), "KDR04711.TMP");
    EXPECT_EQ(test::slots::vfat(placeholder_name(99999)), 1); // one slot on a FAT card
    const std::vector<std::pair<std::string, bool>> table = {{"KDR00000.TMP", true},
                                                             {"kdr12345.tmp", true},
                                                             {"Kdr99999.Tmp", true},
                                                             {"KDR0000.TMP", false},
                                                             {"KDR000000.TMP", false},
                                                             {"KDR0000A.TMP", false},
                                                             {"KDR00000.MP3", false},
                                                             {"KDR00000.TMP.mp3", false},
                                                             {"XKDR00000.TMP", false},
                                                             {"KDR00000TMP", false},
                                                             {"", false}};
    for (const auto& [name, is] : table)
        EXPECT_EQ(is_placeholder_name(name), is) << name;
}

// How each kind of driver stores names, for the patterns below.
struct Driver {
    const char* name;
    std::function<int(std::string_view)> slots;
};
void PrintTo(const Driver& driver, std::ostream* os) {
    *os << driver.name;
}
const std::array<Driver, 3> drivers = {{{"vfat", test::slots::vfat},
                                        {"fusefat", test::slots::fusefat},
                                        {"exfat", test::slots::exfat}}};

// A card's root folder made by adding ("+name") and deleting ("-name") files, and the
// files a run then copies there, in list order.
struct Pattern {
    const char* name;
    std::vector<std::string> making;
    std::vector<std::string> copies;
    std::vector<std::string> expected; // the folder read afterwards
    bool holes = true;                 // whether the copies would fill holes unguarded
};

void PrintTo(const Pattern& pattern, std::ostream* os) {
    *os << pattern.name;
}

const std::vector<Pattern> patterns = {
    {"ShortNameDeletedFirstThenLongCopiedBeforeShort",
     {"+A.MP3", "+keep.wma", "-A.MP3"},
     {"a rather long title.mp3", "B.MP3"},
     {"keep.wma", "a rather long title.mp3", "B.MP3"}},
    {"LongNamesDeletedAmongKeptFilesOfAnotherType",
     {"+01 first long song name.mp3", "+X.WMA", "+02 second long name.mp3", "+voice memo.wma",
      "+03 third.mp3", "+Z.WMA", "-01 first long song name.mp3", "-02 second long name.mp3",
      "-03 third.mp3"},
     {"B.MP3", "A.MP3", "a long one, longer than the holes.mp3", "c.mp3"},
     {"X.WMA", "voice memo.wma", "Z.WMA", "B.MP3", "A.MP3", "a long one, longer than the holes.mp3",
      "c.mp3"}},
    {"OldFilesOfTheSameNamesAreReplacedInListOrder",
     {"+one.mp3", "+two.mp3", "+three.mp3"},
     {"three.mp3", "ONE.MP3"},
     {"two.mp3", "three.mp3", "ONE.MP3"},
     false},
    {"HolesOfEverySizeInFrontAndBetween",
     {"+a.mp3", "+ab cd ef gh ij kl mn.mp3", "+k1.wma", "+abcdefghijklmnopqrstuvwxyz0123.mp3",
      "+k2.wma", "+A.MP3", "+B.MP3", "+k3.wma", "-a.mp3", "-ab cd ef gh ij kl mn.mp3",
      "-abcdefghijklmnopqrstuvwxyz0123.mp3", "-A.MP3"},
     {"Z.MP3", "y.mp3", "a name of forty characters, near enough.mp3", "X.MP3"},
     {"k1.wma", "k2.wma", "B.MP3", "k3.wma", "Z.MP3", "y.mp3",
      "a name of forty characters, near enough.mp3", "X.MP3"}},
    {"EmptyFolder", {}, {"b.mp3", "A.MP3"}, {"b.mp3", "A.MP3"}, false},
};

// Makes the card's root folder of a pattern, and the sources of its copies.
void make_card(SlotFileSystem& fs, const Pattern& pattern) {
    fs.add_folder("/card");
    for (const auto& step : pattern.making) {
        if (step.front() == '+')
            fs.put("/card/" + step.substr(1));
        else
            fs.erase("/card/" + step.substr(1));
    }
    for (const auto& name : pattern.copies)
        fs.put("/music/" + name, 5000);
}

// A guard that has stood down readies nothing more: place_last makes no placeholder.
bool stands_down(OrderGuard& guard, const SlotFileSystem& fs) {
    const std::size_t made = fs.log.size();
    guard.place_last("/card/PROBE.MP3"); // a name no test's card holds
    return fs.log.size() == made;
}

class OrderGuardPatterns : public ::testing::TestWithParam<std::tuple<Driver, Pattern>> {};

TEST_P(OrderGuardPatterns, CopiesLandInListOrderAfterEveryOtherEntry) {
    const auto& [driver, pattern] = GetParam();
    SlotFileSystem fs(driver.slots);
    make_card(fs, pattern);
    {
        OrderGuard guard(fs, "/card");
        for (const auto& name : pattern.copies) {
            guard.place_last("/card/" + name);
            fs.copy_file("/music/" + name, "/card/" + name);
        }
        EXPECT_FALSE(stands_down(guard, fs));
        guard.finish();
    }
    EXPECT_THAT(fs.entry_names("/card"), ElementsAreArray(pattern.expected));
}

// The holes are real: copying as the files come scrambles the order, so the
// patterns test the guard and not the fake.
TEST(OrderGuardPatternsUnguarded, TheHolesScrambleTheOrder) {
    for (const auto& driver : drivers) {
        for (const auto& pattern : patterns) {
            if (!pattern.holes)
                continue;
            SlotFileSystem fs(driver.slots);
            make_card(fs, pattern);
            for (const auto& name : pattern.copies)
                fs.copy_file("/music/" + name, "/card/" + name);
            EXPECT_NE(fs.entry_names("/card"), pattern.expected)
                << driver.name << " " << pattern.name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(, OrderGuardPatterns,
                         ::testing::Combine(::testing::ValuesIn(drivers),
                                            ::testing::ValuesIn(patterns)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).name;
                         });

std::vector<std::string> placeholders_in(const SlotFileSystem& fs, const std::string& folder) {
    std::vector<std::string> result;
    for (const auto& name : fs.entry_names(folder))
        if (is_placeholder_name(name))
            result.push_back(name);
    return result;
}

TEST(OrderGuard, RemovesOnlyEmptyPlaceholdersLeftInTheFolderItself) {
    SlotFileSystem fs;
    fs.add_folder("/card");
    fs.put("/card/KDR00007.TMP", 0);
    fs.put("/card/kdr00100.tmp", 0);
    fs.put("/card/KDR00008.TMP", 12);    // has content: someone's own
    fs.put("/card/KDR0009.TMP", 0);      // not the pattern
    fs.put("/card/KDR00010.TMP.mp3", 0); // a music file
    fs.put_folder_entry("/card", "KDR00011.TMP");
    fs.put("/card/sub/KDR00012.TMP", 0); // not in the root folder
    fs.put("/card/KDR00013.TMP", 0);
    fs.read_only.insert("KDR00013.TMP"); // cannot go: stays, and the run goes on

    const OrderGuard guard(fs, "/card");

    EXPECT_THAT(fs.entry_names("/card"),
                ElementsAreArray({"KDR00008.TMP", "KDR0009.TMP", "KDR00010.TMP.mp3", "KDR00011.TMP",
                                  "KDR00013.TMP"}));
    EXPECT_TRUE(fs.exists("/card/sub/KDR00012.TMP"));
}

TEST(OrderGuard, PlaceholderNamesStepAroundTheUsersOwnFiles) {
    SlotFileSystem fs(test::slots::vfat);
    fs.add_folder("/card");
    fs.put("/card/KDR00000.TMP", 3); // someone's file with a placeholder's name
    fs.put("/card/A.MP3");
    fs.put("/card/B.MP3");
    fs.erase("/card/A.MP3");
    fs.put("/music/song.mp3");
    {
        OrderGuard guard(fs, "/card");
        guard.place_last("/card/song.mp3");
        fs.copy_file("/music/song.mp3", "/card/song.mp3");
        guard.finish();
    }
    EXPECT_THAT(fs.entry_names("/card"), ElementsAreArray({"KDR00000.TMP", "B.MP3", "song.mp3"}));
    EXPECT_EQ(fs.files("/card").front().size, 3U);
}

TEST(OrderGuard, AFolderWithNoSlotAfterItsHolesStandsDownAndKeepsNoPlaceholder) {
    // A FAT16 root folder of 512 slots, full but for two holes of two slots.
    SlotFileSystem fs(test::slots::fusefat, 512);
    fs.full_failure = failure_code::permission_denied; // what the FUSE driver says
    fs.add_folder("/card");
    for (int i = 0; i < 256; ++i)
        fs.put("/card/F" + std::to_string(i) + ".WMA");
    fs.erase("/card/F7.WMA");
    fs.erase("/card/F100.WMA");
    const auto before = fs.entry_names("/card");
    {
        OrderGuard guard(fs, "/card");
        // The placeholders in both holes are made before the folder turns out full.
        guard.place_last("/card/song.mp3");
        EXPECT_TRUE(guard.folder_full());
        EXPECT_EQ(fs.entry_names("/card"), before);
    }
    EXPECT_EQ(fs.entry_names("/card"), before);
}

TEST(OrderGuard, TheLastFreeSlotsOfAFullFolderStillTakeTheFile) {
    SlotFileSystem fs(test::slots::fusefat, 512);
    fs.add_folder("/card");
    for (int i = 0; i < 255; ++i)
        fs.put("/card/F" + std::to_string(i) + ".WMA");
    fs.erase("/card/F3.WMA");
    fs.put("/music/B.MP3");
    {
        OrderGuard guard(fs, "/card");
        guard.place_last("/card/B.MP3"); // the placeholder that landed last made room again
        fs.copy_file("/music/B.MP3", "/card/B.MP3");
        guard.finish();
    }
    EXPECT_EQ(fs.entry_names("/card").back(), "B.MP3");
}

TEST(OrderGuard, AWriteProtectedFileOfTheSameNameIsKept) {
    SlotFileSystem fs;
    fs.add_folder("/card");
    fs.put("/card/SONG.MP3");
    fs.read_only.insert("SONG.MP3");
    OrderGuard guard(fs, "/card");
    EXPECT_EQ(failure_of([&] { guard.place_last("/card/song.mp3"); }),
              failure_code::permission_denied);
    EXPECT_TRUE(fs.exists("/card/SONG.MP3"));
}

TEST(OrderGuard, StandsDownWhereAFolderReadDoesNotShowTheOrder) {
    SlotFileSystem fs(test::slots::exfat);
    fs.lists_newest_first = true;
    fs.add_folder("/card");
    for (const char* name : {"/card/a.mp3", "/card/b.mp3", "/card/c.mp3"})
        fs.put(name);
    fs.erase("/card/a.mp3");
    fs.put("/music/new.mp3");
    fs.put("/music/next.mp3");
    {
        OrderGuard guard(fs, "/card");
        for (const char* name : {"new.mp3", "next.mp3"}) {
            guard.place_last(std::string("/card/") + name);
            fs.copy_file(std::string("/music/") + name, std::string("/card/") + name);
        }
        EXPECT_TRUE(stands_down(guard, fs));
        guard.finish();
    }
    EXPECT_THAT(placeholders_in(fs, "/card"), IsEmpty());
    EXPECT_TRUE(fs.exists("/card/new.mp3"));
    EXPECT_TRUE(fs.exists("/card/next.mp3"));
}

} // namespace
} // namespace kadoru
