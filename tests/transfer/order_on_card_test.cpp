#include "browse/source_browser.h"
#include "browse/type_selector.h"
#include "card/order_guard.h"
#include "platform/file_list.h"
#include "platform/label.h"
#include "platform/linux/drive_table.h"
#include "platform/linux/mountinfo_source.h"
#include "platform/linux/posix_file_system.h"
#include "run_harness.h"
#include "support/card_mounts.h"
#include "support/card_test.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kadoru {
namespace {

using test::CardImage;
using test::RunHarness;
using test::ScratchFolder;
using ::testing::_;
using ::testing::AnyOf;
using ::testing::Contains;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::EndsWith;
using ::testing::Matcher;
using ::testing::MatchesRegex;
using ::testing::Not;
using ::testing::StartsWith;
using ::testing::Truly;

constexpr auto finished = "処理が終了しました";

// The drive table, but for the free space: on FAT16 and FAT32 volumes the FUSE FAT
// driver reports no blocks at all, which would stop every run at the space check.
class RoomyDrives final : public Drives {
public:
    explicit RoomyDrives(Drives& drives) : drives_(drives) {}
    std::vector<DriveInfo> list() const override { return drives_.list(); }
    std::string root_of(std::string_view d) const override { return drives_.root_of(d); }
    std::string drive_of(std::string_view path) const override { return drives_.drive_of(path); }
    bool is_known(std::string_view d) const override { return drives_.is_known(d); }
    bool is_ready(std::string_view d) const override { return drives_.is_ready(d); }
    bool is_fixed(std::string_view d) const override { return drives_.is_fixed(d); }
    std::string current_folder(std::string_view d) const override {
        return drives_.current_folder(d);
    }
    void set_current_folder(std::string_view d, const std::string& folder) override {
        drives_.set_current_folder(d, folder);
    }
    std::uint64_t free_space(std::string_view d) const override {
        drives_.free_space(d); // still fails when the card is not ready
        return std::uint64_t{1} << 30;
    }
    std::uint64_t total_size(std::string_view d) const override { return drives_.total_size(d); }
    std::uint64_t allocation_unit(std::string_view d) const override {
        return drives_.allocation_unit(d);
    }
    std::string volume_id(std::string_view d) const override { return drives_.volume_id(d); }
    std::string file_system_type(std::string_view d) const override {
        return drives_.file_system_type(d);
    }

private:
    Drives& drives_;
};

class OrderOnCard : public test::CardTest {
protected:
    void SetUp() override {
        CardTest::SetUp();
        std::filesystem::create_directory(dir / "music");
        std::filesystem::create_directory(dir / "program"); // where a run saves its settings
    }

    void put_on_card(const std::vector<std::string>& names) const {
        for (const auto& name : names)
            dir.write("card/" + name, "old " + name);
    }
    std::string source(const std::string& name) const { return dir / ("music/" + name); }
    void add(RunHarness& run, const std::string& name) const {
        const std::string bytes = "new " + name;
        if (!std::filesystem::exists(source(name)))
            dir.write("music/" + name, bytes);
        run.add(name, source(name), bytes.size());
    }

    // Starts a run that copies the names in list order onto the card (e:), giving the
    // delete question this answer; the messages shown.
    std::vector<std::string> run(const std::vector<std::string>& names, Answer answer,
                                 const std::vector<std::string>& gone = {}) {
        DriveTable table = test::card_drive_table(card->root(), dir.path());
        RoomyDrives drives(table);
        PosixFileSystem fs;
        EXPECT_EQ(drives.drive_of(card->root()), "e:");
        RunHarness harness(fs, drives, "e:", dir / "music", dir / "program");
        harness.messages.answers = {answer};
        for (const auto& name : names)
            add(harness, name);
        for (const auto& name : gone)
            std::filesystem::remove(source(name));
        harness.start();
        return harness.messages.texts();
    }
};

TEST_P(OrderOnCard, AShortNameDeletedFirstAndALongNameCopiedBeforeAShortOne) {
    put_on_card({"A.MP3", "keep.wma"});
    // The order read back is right: nothing is said after the finished message.
    EXPECT_THAT(run({"a rather long song title.mp3", "B.MP3"}, Answer::yes),
                ElementsAre(_, finished));
    EXPECT_THAT(card->stored_order(),
                ElementsAre("keep.wma", "a rather long song title.mp3", "B.MP3"));
}

TEST_P(OrderOnCard, LongNamesDeletedAmongKeptFilesOfAnotherType) {
    put_on_card({"01 the first long song name.mp3", "X.WMA", "02 the second long one.mp3",
                 "voice memo.wma", "03 third.mp3", "Z.WMA"});
    EXPECT_THAT(run({"B.MP3", "A.MP3", "a name longer than any hole.mp3", "c.mp3"}, Answer::yes),
                ElementsAre(_, finished));
    EXPECT_THAT(card->stored_order(),
                ElementsAre("X.WMA", "voice memo.wma", "Z.WMA", "B.MP3", "A.MP3",
                            "a name longer than any hole.mp3", "c.mp3"));
}

TEST_P(OrderOnCard, OldFilesOfTheSameNamesAreReplaced) {
    put_on_card({"one.mp3", "two.mp3", "three.mp3", "keep.wma"});
    EXPECT_THAT(run({"three.mp3", "one.mp3"}, Answer::no), Contains(finished));
    EXPECT_EQ(dir.read("card/one.mp3"), "new one.mp3");
    EXPECT_THAT(card->stored_order(), ElementsAre("two.mp3", "keep.wma", "three.mp3", "one.mp3"));
}

TEST_P(OrderOnCard, ASourceGoneSinceItWasAddedChangesNothing) {
    put_on_card({"A.MP3", "keep.wma", "Z.MP3"});
    EXPECT_THAT(run({"b.mp3", "gone.mp3", "c.mp3"}, Answer::yes, {"gone.mp3"}),
                Contains("Error：53で異常終了しました"));
    EXPECT_THAT(card->stored_order(), ElementsAre("A.MP3", "keep.wma", "Z.MP3"));
}

TEST_P(OrderOnCard, PlaceholdersOfAKilledRunAreRemoved) {
    put_on_card({"keep.wma"});
    dir.write("card/KDR00005.TMP", "");
    EXPECT_THAT(run({"a.mp3"}, Answer::no), Contains(finished));
    EXPECT_THAT(card->stored_order(), ElementsAre("keep.wma", "a.mp3"));
}

INSTANTIATE_TEST_SUITE_P(, OrderOnCard,
                         ::testing::Values(CardImage::Format::fat16, CardImage::Format::fat32),
                         test::format_name);

// One pattern on exFAT, whose FUSE driver lists new entries first: the guard reads
// the root folder's order from the volume itself.
class OrderOnExfatCard : public OrderOnCard {};

TEST_P(OrderOnExfatCard, AShortNameDeletedFirstAndALongNameCopiedBeforeAShortOne) {
    put_on_card({"A.MP3", "keep.wma", "C.MP3"});
    EXPECT_THAT(run({"a rather long song title.mp3", "B.MP3"}, Answer::yes),
                ElementsAre(_, finished));
    EXPECT_THAT(card->stored_order(),
                ElementsAre("keep.wma", "a rather long song title.mp3", "B.MP3"));
}

INSTANTIATE_TEST_SUITE_P(, OrderOnExfatCard, ::testing::Values(CardImage::Format::exfat),
                         test::format_name);

// Everyday song titles with characters FAT and exFAT refuse: each song goes under its
// card name, in list order, after the old song is deleted. On exFAT only: the FUSE
// FAT driver refuses every name beyond ASCII, full-width forms included.
class CardNamesOnCard : public OrderOnCard {};

TEST_P(CardNamesOnCard, EverySongReachesTheCardUnderItsCardName) {
    put_on_card({"old song.mp3"});
    EXPECT_THAT(run({"01 plain.mp3", "02 What?.mp3", "03 Live: 1999.mp3", "04 Say \"hi\".mp3"},
                    Answer::yes),
                ElementsAre(_, finished));
    EXPECT_THAT(card->stored_order(), ElementsAre("01 plain.mp3", "02 What？.mp3",
                                                  "03 Live： 1999.mp3", "04 Say ＂hi＂.mp3"));
}

INSTANTIATE_TEST_SUITE_P(, CardNamesOnCard, ::testing::Values(CardImage::Format::exfat),
                         test::format_name);

// A FAT16 root folder holds 512 entries; the FUSE driver gives every name a long
// entry as well, so a name takes two slots at least.
class FullRootFolder : public OrderOnCard {
protected:
    // Fillers F000.WMA, F001.WMA, ... (one slot each as mtools writes them) but for the
    // holes, put onto the unmounted card; the fillers kept.
    std::vector<std::string> fill(int count, const std::vector<std::string>& holes) {
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i)
            names.push_back("F" + std::to_string(1000 + i).substr(1) + ".WMA");
        EXPECT_TRUE(card->put_unmounted(dir, names));
        EXPECT_TRUE(card->delete_unmounted(holes));
        EXPECT_TRUE(card->mount());
        for (const auto& hole : holes)
            std::erase(names, hole);
        return names;
    }
};

TEST_P(FullRootFolder, FillingUpEndsInTheErrorPathAsDiskFullWithNoPlaceholderLeft) {
    auto expected = fill(500, {"F010.WMA", "F011.WMA", "F100.WMA"});
    std::vector<std::string> list;
    for (int i = 1; i <= 5; ++i)
        list.push_back("long song number " + std::to_string(i) + ".mp3");
    // The driver refuses the last file as a permission; the folder is full.
    EXPECT_THAT(run(list, Answer::no), ElementsAre(_, "Error：61で異常終了しました"));

    const auto order = card->stored_order();
    EXPECT_THAT(order, Each(Not(Truly(is_placeholder_name))));
    expected.insert(expected.end(), list.begin(), list.end() - 1);
    EXPECT_THAT(order, ElementsAreArray(expected));
}

TEST_P(FullRootFolder, NoSlotAfterTheHolesCopiesEverythingAndTellsWhichFileIsOutOfOrder) {
    // Every slot of the root folder taken, but for a hole of two slots and a later
    // one of four: the long name fits only the later hole, the short one the first.
    auto expected =
        fill(512, {"F010.WMA", "F011.WMA", "F100.WMA", "F101.WMA", "F102.WMA", "F103.WMA"});
    EXPECT_THAT(run({"a long song title.mp3", "B.MP3"}, Answer::no),
                ElementsAre(_, finished,
                            "カードの中のファイルの順序が転送リストと違います。\n"
                            "順序が違う最初のファイル：B.MP3"));
    expected.insert(std::find(expected.begin(), expected.end(), "F012.WMA"), "B.MP3");
    expected.insert(std::find(expected.begin(), expected.end(), "F104.WMA"),
                    "a long song title.mp3");
    EXPECT_THAT(card->stored_order(), ElementsAreArray(expected));
}

INSTANTIATE_TEST_SUITE_P(, FullRootFolder, ::testing::Values(CardImage::Format::fat16),
                         test::format_name);

// A card whose directory entries were damaged out of the program's sight: the user
// learns of it from a failure message with its number, in the folder list and in a
// run, and nothing is written beside the card's root.
class DamagedCard : public OrderOnCard {
protected:
    // Overwrites bytes of the card's image in place (a loop device may hold it open),
    // unmounted unless `mounted`; true when the card is mounted afterwards.
    bool damage_at(std::size_t at, const std::string& bytes, bool mounted = false) {
        if (!mounted)
            card->unmount();
        std::fstream image(card->image(), std::ios::in | std::ios::out | std::ios::binary);
        image.seekp(static_cast<std::streamoff>(at));
        image.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        image.close();
        return !image.fail() && card->mount();
    }
    // Where the entry set of an exFAT name starts in the unmounted card's image: two
    // entries before its first name entry.
    std::size_t exfat_entry_set(const std::string& name) {
        card->unmount();
        std::string units;
        for (const char c : name)
            units += std::string{c, '\0'};
        const auto at = ScratchFolder::read_file(card->image()).find(units);
        EXPECT_NE(at, std::string::npos) << name;
        return at == std::string::npos ? 0 : at - 2 - 2 * 32;
    }
    // A folder "sub" with damaged.mp3, whose entry set is returned (0 if not found).
    std::size_t sub_folder() {
        std::filesystem::create_directory(card->root() + "/sub");
        put_on_card({"keep.wma", "sub/damaged.mp3"});
        return exfat_entry_set("damaged.mp3");
    }

    // The folder handler of the source browser opening a folder of the card; the
    // messages shown.
    std::vector<std::string> browse(const std::string& folder) {
        DriveTable drives = test::card_drive_table(card->root(), dir.path());
        PosixFileSystem fs;
        test::ScriptedMessageBox messages;
        test::FakeEventPump events;
        DriveSelector drive1(drives, "e:");
        FolderList dir1(drives, fs, folder);
        FileList file1(fs);
        TypeSelector type;
        type.add_item("MP3");
        Label label9;
        std::vector<std::uint64_t> file_size;
        SourceBrowser browser({drive1, dir1, file1, type, label9, file_size}, fs, messages, events);
        browser.folder_changed();
        return messages.texts();
    }

    // A run that finishes or ends in `failure`, as the driver lets it, and writes
    // nothing beside the card's root (the image, the card, the sources and the
    // program's folder).
    void expect_an_ending_and_nothing_beside(const std::vector<std::string>& names,
                                             const Matcher<const std::string&>& failure) {
        const auto messages = run(names, Answer::no);
        ASSERT_FALSE(messages.empty());
        EXPECT_THAT(messages.back(), AnyOf(finished, failure));
        expect_nothing_beside();
    }
    void expect_nothing_beside() const {
        auto names = test::folder_read(dir.path());
        std::erase(names, "unmounted"); // the files put onto the image unmounted
        std::sort(names.begin(), names.end());
        EXPECT_THAT(names, ElementsAre("card", "card.img", "music", "program"));
    }
};

TEST_P(DamagedCard, AFailureNumberInTheFolderListAndInARun) {
    if (GetParam() == CardImage::Format::exfat) {
        // The exFAT driver checks the root folder as it mounts and refuses a damaged
        // one, so the damage lies in a folder it reads only when asked: its first
        // entry set's checksum no longer matches.
        const std::size_t set = sub_folder();
        ASSERT_NE(set, 0U);
        const std::string checksum = ScratchFolder::read_file(card->image()).substr(set + 2, 2);
        ASSERT_TRUE(damage_at(set + 2, {static_cast<char>(~checksum[0]), checksum[1]}));
        EXPECT_THAT(browse(*card / "sub"), ElementsAre(EndsWith("(57)")));
        // The run writes to the root folder only, which is sound.
        EXPECT_THAT(run({"a.mp3"}, Answer::no), Contains(finished));
    } else {
        // Names written by mtools are short names alone; a slash in one is a name no
        // system can show.
        ASSERT_TRUE(card->put_unmounted(dir, {"OLD.MP3", "KEEP.WMA"}));
        const auto at = ScratchFolder::read_file(card->image()).find("OLD     MP3");
        ASSERT_NE(at, std::string::npos);
        ASSERT_TRUE(damage_at(at + 2, "/"));
        EXPECT_THAT(browse(card->root()), ElementsAre(EndsWith("(57)")));
        EXPECT_THAT(run({"a.mp3", "b.mp3"}, Answer::yes),
                    ElementsAre("Error：57で異常終了しました"));
    }
    expect_nothing_beside();
}

// The exFAT root folder damaged behind the driver's back while it is mounted (the
// driver knows both files from the medium): the order is read from the device, which
// no longer holds a sound folder.
class DamagedExfatCard : public DamagedCard {};

TEST_P(DamagedExfatCard, RootDamagedUnderTheMountedDriver) {
    put_on_card({"keep.wma", "old.mp3"});
    const std::size_t set = exfat_entry_set("old.mp3");
    ASSERT_NE(set, 0U);
    ASSERT_TRUE(card->mount());
    ASSERT_TRUE(damage_at(set + 32, std::string(1, '\0'), true)); // its stream entry
    expect_an_ending_and_nothing_beside({"a.mp3", "old.mp3"}, StartsWith("Error："));
}

// A name of half a surrogate pair in a folder: the exFAT driver refuses the folder, or
// ends itself as it reads it, taking the card from under the folder list and the run.
// Whether the driver survives its listing depends on its version: the run either ends
// with a number or, the root being sound, finishes.
TEST_P(DamagedExfatCard, DriverEndingOnADamagedName) {
    const std::size_t set = sub_folder();
    ASSERT_NE(set, 0U);
    ASSERT_TRUE(damage_at(set + 2 * 32 + 2, std::string("\x00\xD8", 2)));
    EXPECT_THAT(browse(*card / "sub"), ElementsAre(MatchesRegex(".*\\([0-9]+\\)")));
    expect_an_ending_and_nothing_beside({"a.mp3"}, MatchesRegex("Error：[0-9]+で異常終了しました"));
}

INSTANTIATE_TEST_SUITE_P(, DamagedCard,
                         ::testing::Values(CardImage::Format::fat16, CardImage::Format::exfat),
                         test::format_name);
INSTANTIATE_TEST_SUITE_P(, DamagedExfatCard, ::testing::Values(CardImage::Format::exfat),
                         test::format_name);

} // namespace
} // namespace kadoru
