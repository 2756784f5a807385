#include "card/order_check.h"
#include "card/order_guard.h"
#include "fakes/fake_drives.h"
#include "fakes/fake_slot_file_system.h"
#include "run_harness.h"

#include <chrono>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kadoru {
namespace {

using namespace std::chrono_literals;
using test::RunHarness;
using test::SlotFileSystem;
using ::testing::_;
using ::testing::Contains;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::Truly;

constexpr auto finished = "処理が終了しました";

// A card whose first entry was a short name, deleted by an earlier run, and a run
// that copies a long name before a short one: without the guard the short one
// takes the hole in front.
class TransferOrder : public ::testing::Test {
protected:
    TransferOrder() {
        drives.add("c:", "/", 1000000000);
        drives.add("e:", "/card", 1000000000);
        fs.add_folder("/card");
        fs.put("/card/A.MP3");
        fs.put("/card/keep.wma");
        fs.erase("/card/A.MP3");
        for (const char* name : {"a long title of a song.mp3", "B.MP3"})
            fs.put(std::string("/music/") + name, 1000000);
        fs.add_folder("/music");
    }
    void run_list(const std::string& type) {
        drives.drives["e:"].type = type;
        RunHarness run(fs, drives, "e:", "/music", "/app");
        run.messages.answers = {Answer::no};
        for (const char* name : {"a long title of a song.mp3", "B.MP3"})
            run.add(name, std::string("/music/") + name, 1000000);
        run.start();
        messages = run.messages.texts();
    }
    std::vector<std::string> placeholders_made() const {
        std::vector<std::string> made;
        for (const auto& entry : fs.log)
            if (entry.rfind("create ", 0) == 0)
                made.push_back(entry);
        return made;
    }

    test::FakeDrives drives;
    SlotFileSystem fs{test::slots::vfat};
    std::vector<std::string> messages;
};

TEST_F(TransferOrder, OnAFatCardTheFilesLandInListOrder) {
    run_list("vfat");
    EXPECT_THAT(messages, ElementsAre(_, finished)); // the order is right: nothing more
    EXPECT_THAT(placeholders_made(), Not(IsEmpty()));
    EXPECT_THAT(fs.entry_names("/card"),
                ElementsAre("keep.wma", "a long title of a song.mp3", "B.MP3"));
}

TEST_F(TransferOrder, OtherFileSystemsAreLeftAlone) {
    run_list("ext4");
    EXPECT_THAT(messages, ElementsAre(_, finished)); // no order is stored to check
    EXPECT_THAT(placeholders_made(), IsEmpty());
    // A first-fit volume that is not known as one keeps the old disorder.
    EXPECT_THAT(fs.entry_names("/card"),
                ElementsAre("B.MP3", "keep.wma", "a long title of a song.mp3"));
}

TEST_F(TransferOrder, TheGuardsWorkCountsInTheFilesCopyTime) {
    // Each entry made takes 4 s: the placeholder that fills the hole, the one that
    // lands last and the copy take 12 s, more than the file's 7 s, so the run does
    // not wait. Counted from after the guard, the copy's 4 s would make it wait.
    drives.drives["e:"].type = "vfat";
    RunHarness run(fs, drives, "e:", "/music", "/app");
    fs.on_create = [&](const std::string&) { run.clock.advance(4s); };
    run.messages.answers = {Answer::no};
    run.add("a long title of a song.mp3", "/music/a long title of a song.mp3", 1000000);
    run.start();
    EXPECT_THAT(run.messages.texts(), Contains(finished));
    EXPECT_THAT(run.clock.sleeps, IsEmpty());
}

TEST_F(TransferOrder, AFileToBeReplacedStaysWhenItsSourceIsGone) {
    fs.put("/card/B.MP3");
    fs.erase("/music/B.MP3");
    run_list("vfat");
    EXPECT_THAT(messages, Contains("Error：53で異常終了しました"));
    EXPECT_THAT(fs.entry_names("/card"), Contains("B.MP3"));
}

using failure_code::disk_full;
using failure_code::permission_denied;

// A FAT16 root folder of 512 slots, as the FUSE FAT driver fills it (two slots for a
// short name), with fillers F000.WMA, F001.WMA, ... and holes where some were deleted.
struct HolePattern {
    const char* name;
    int fillers;
    std::vector<int> holes; // the fillers deleted
    std::vector<std::string> list;
    std::vector<std::string> after_question; // the messages the run shows
    int full_failure = permission_denied;
    bool newest_first = false; // a folder read that does not show the stored order
};

std::string filler(int i) {
    return "F" + std::to_string(1000 + i).substr(1) + ".WMA";
}

constexpr auto long_title = "a long song title.mp3"; // three slots
const std::string no_slot_left = "Error：61で異常終了しました";
const std::string b_told = order_differs_message("B.MP3");

const std::vector<HolePattern> hole_patterns = {
    {"RoomAfterTheHolesKeepsTheOrder", 200, {10, 100}, {long_title, "B.MP3"}, {finished}},
    // The guard stands down: the long file only fits the later hole, the short one
    // then takes the first.
    {"NoSlotAfterTheHolesTold", 256, {10, 100, 101}, {long_title, "B.MP3"}, {finished, b_told}},
    {"NoSlotAfterTheHolesButTheyFitInOrder", 256, {10, 100}, {"B.MP3", "C.MP3"}, {finished}},
    {"NoRoomForALongNameIsDiskFull", 256, {10}, {"B.MP3", long_title}, {no_slot_left}},
    {"FullFromTheStartAsTheSystemSaysIt", 256, {}, {"B.MP3"}, {no_slot_left}, disk_full},
    // Never having taken an entry, a folder that refuses one cannot be told from a
    // write-protected one.
    {"FullFromTheStartAsPermissionDenied", 256, {}, {"B.MP3"}, {"Error：70で異常終了しました"}},
    {"OrderThatCannotBeReadIsNotJudged",
     20,
     {2},
     {long_title, "B.MP3"},
     {finished},
     permission_denied,
     true},
};

class HolePatterns : public ::testing::TestWithParam<HolePattern> {};

TEST_P(HolePatterns, TheRunCopiesWhereThereIsRoomAndTellsWhenTheOrderIsLost) {
    const HolePattern& pattern = GetParam();
    SlotFileSystem fs(test::slots::fusefat, 512);
    fs.full_failure = pattern.full_failure;
    fs.lists_newest_first = pattern.newest_first;
    fs.add_folder("/card");
    for (int i = 0; i < pattern.fillers; ++i)
        fs.put("/card/" + filler(i));
    for (const int i : pattern.holes)
        fs.erase("/card/" + filler(i));
    test::FakeDrives drives;
    drives.add("c:", "/", 1000000000);
    drives.add("e:", "/card", 1000000000).type = "fusefat";
    fs.add_folder("/music");
    RunHarness run(fs, drives, "e:", "/music", "/app");
    run.messages.answers = {Answer::no};
    for (const auto& name : pattern.list) {
        fs.put("/music/" + name, 1000);
        run.add(name, "/music/" + name, 1000);
    }

    run.start();

    auto messages = run.messages.texts();
    messages.erase(messages.begin()); // the delete question
    EXPECT_EQ(messages, pattern.after_question);
    EXPECT_THAT(fs.entry_names("/card"), Each(Not(Truly(is_placeholder_name))));
}

INSTANTIATE_TEST_SUITE_P(, HolePatterns, ::testing::ValuesIn(hole_patterns),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kadoru
