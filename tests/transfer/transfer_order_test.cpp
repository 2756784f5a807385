#include "fakes/fake_drives.h"
#include "fakes/fake_slot_file_system.h"
#include "run_harness.h"
#include "transfer/order_guard.h"

#include <chrono>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kadoru {
namespace {

using namespace std::chrono_literals;
using test::RunHarness;
using test::SlotFileSystem;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

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
        RunHarness run(fs, drives, "e:", "/music");
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
    EXPECT_THAT(messages, Contains(finished));
    EXPECT_THAT(placeholders_made(), Not(IsEmpty()));
    EXPECT_THAT(fs.entry_names("/card"),
                ElementsAre("keep.wma", "a long title of a song.mp3", "B.MP3"));
}

TEST_F(TransferOrder, OtherFileSystemsAreLeftAlone) {
    run_list("ext4");
    EXPECT_THAT(messages, Contains(finished));
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
    RunHarness run(fs, drives, "e:", "/music");
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

} // namespace
} // namespace kadoru
