// The run onto a slow card (a FUSE passthrough whose writes, flushes and entry
// changes take their time), composed as the program composes it on the real file
// system and drive table: the window's events run at least every 100 ms however long
// the card takes, and the end of the program stops the run at once.
#include "fakes/fake_transfer_ports.h"
#include "fakes/fake_ui.h"
#include "platform/drive_selector.h"
#include "platform/folder_list.h"
#include "platform/linux/drive_table.h"
#include "platform/linux/posix_file_system.h"
#include "support/slow_card.h"
#include "transfer/control_lock.h"
#include "transfer/responsive_file_system.h"
#include "transfer/run_events.h"
#include "transfer/transfer_run.h"
#include "transfer_list/transfer_list.h"

#include <chrono>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>

namespace kadoru {
namespace {

using namespace std::chrono_literals;
using std::chrono::steady_clock;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace stdfs = std::filesystem;

constexpr auto question = "e:\\ の中のMP3ファイルを削除しますか？";

struct SlowCase {
    const char* name;
    test::Slowness slowness;
    std::size_t song_bytes;
    int old_songs; // on the card, for the delete step
};

class SlowCardRun : public ::testing::TestWithParam<SlowCase> {
protected:
    void SetUp() override {
        card.emplace(dir, GetParam().slowness);
        if (!card->mounted())
            GTEST_SKIP() << card->why_not();
        stdfs::create_directory(dir / "music");
        stdfs::create_directory(dir / "stand-in");
    }

    void add_song(const std::string& name, std::size_t bytes) {
        list.append(
            {name, dir.write("music/" + name, std::string(bytes, 'm')), std::to_string(bytes)});
    }

    // One Start; the messages shown.
    std::vector<std::string> start(Answer answer) {
        DriveTable drives(std::make_unique<test::CardAfterStandIn>(card->root(), dir / "stand-in"),
                          dir.path());
        FolderList dir1(drives, posix, dir / "music");
        DriveSelector drive2(drives, "e:");
        messages.answers = {answer};
        const auto fs = responsive_card(posix, events);
        TransferRun run({list, drive2, dir1, [] { return std::string("MP3"); },
                         [this](const std::string&, const std::string&) { ++saves; }},
                        {*fs, drives, clock, messages, events, progress, controls});
        window.begin();
        run.start();
        ended = steady_clock::now();
        return messages.texts();
    }

    test::ScratchFolder dir;
    std::optional<test::SlowCard> card;
    PosixFileSystem posix;
    test::GapRecorder window;
    RunEvents events{window};
    test::PausesPassAtOnce clock;
    test::ScriptedMessageBox messages;
    test::FakeProgress progress;
    test::FakeControls controls;
    TransferList list;
    int saves = 0;
    steady_clock::time_point ended;
};

TEST_P(SlowCardRun, TheWindowsEventsRunAtLeastEvery100Ms) {
    const SlowCase& c = GetParam();
    for (int i = 0; i < c.old_songs; ++i)
        dir.write("backing/old " + std::to_string(i) + ".mp3", "old");
    add_song("song.mp3", c.song_bytes);

    EXPECT_THAT(start(Answer::yes), ElementsAre(question, "処理が終了しました"));
    EXPECT_LE(window.longest(), 100ms);
    EXPECT_THAT(test::folder_read(card->backing()), ElementsAre("song.mp3"));
    EXPECT_EQ(stdfs::file_size(card->backing() + "/song.mp3"), c.song_bytes);
}

INSTANTIATE_TEST_SUITE_P(, SlowCardRun,
                         ::testing::Values(
                             // 1.5 s of writing at 4 MB/s
                             SlowCase{"ACopyOfSeveralMegabytes", {4'000'000, 0, 0}, 6'000'000, 0},
                             // the card takes its time to flush what it took at once
                             SlowCase{"ALongFlush", {0, 1.5, 0}, 1'000'000, 0},
                             // 150 deletions of 20 ms each, none of them long by itself
                             SlowCase{"ADeleteStepOfManyFiles", {0, 0, 0.02}, 1000, 150}),
                         [](const auto& info) { return std::string(info.param.name); });

// A click on 全消去 while the delete step deletes: the run holds the user's input
// until the controls are locked, so the click finds 全消去 disabled and is not taken.
TEST_P(SlowCardRun, AClickOnClearDuringTheDeleteStepIsNotTaken) {
    const SlowCase& c = GetParam();
    if (c.old_songs == 0)
        GTEST_SKIP() << "no delete step";
    for (int i = 0; i < c.old_songs; ++i)
        dir.write("backing/old " + std::to_string(i) + ".mp3", "old");
    add_song("song.mp3", c.song_bytes);
    bool clicked = false;
    std::optional<bool> taken; // once the click has reached the button
    window.user = [&] {
        const auto left = test::folder_read(card->backing()).size();
        if (!clicked && left > 0 && left < static_cast<std::size_t>(c.old_songs))
            clicked = true; // the user clicks now; the click waits while input is held
        if (clicked && !taken && !window.held) {
            taken = controls.enabled[static_cast<std::size_t>(LockedControl::Command3)];
            if (*taken)
                list.clear();
        }
    };

    EXPECT_THAT(start(Answer::yes), ElementsAre(question, "処理が終了しました"));
    EXPECT_TRUE(clicked);
    EXPECT_EQ(taken, false);
    EXPECT_THAT(test::folder_read(card->backing()), ElementsAre("song.mp3"));
}

// The card pulled while a song is written to it (its driver ended): the user is told
// the card is not ready, and the window is back to usable.
TEST_P(SlowCardRun, ACardPulledMidCopyIsNotReady) {
    if (GetParam().slowness.write_rate == 0)
        GTEST_SKIP() << "the copy is too quick to pull the card during it";
    add_song("first.mp3", GetParam().song_bytes);
    add_song("second.mp3", 1000);
    bool pulled = false;
    window.user = [&] {
        std::error_code error;
        const auto written = stdfs::file_size(card->backing() + "/first.mp3", error);
        if (!pulled && !error && written > 0)
            pulled = card->end_driver();
    };

    EXPECT_THAT(start(Answer::no), ElementsAre(question, "ドライブe:の準備が出来ていません"));
    EXPECT_TRUE(pulled);
    EXPECT_TRUE(controls.all(true));
    EXPECT_EQ(progress.value(), 0);
    EXPECT_EQ(saves, 0);
}

class EndOnASlowCard : public SlowCardRun {};

TEST_P(EndOnASlowCard, TheRunStopsAtOnceAndLeavesNoPartialFile) {
    add_song("first.mp3", 6'000'000);
    add_song("second.mp3", 1000);
    std::optional<steady_clock::time_point> told;
    window.user = [&] {
        // Close, once the first song has begun to reach the card.
        std::error_code error;
        const auto written = stdfs::file_size(card->backing() + "/first.mp3", error);
        if (!told && !error && written > 0) {
            told = steady_clock::now();
            events.end_program();
        }
    };

    EXPECT_THAT(start(Answer::no), ElementsAre(question));
    ASSERT_TRUE(told.has_value());
    EXPECT_LT(ended - *told, 500ms); // the rest of the song would take over a second
    EXPECT_THAT(test::folder_read(card->backing()), IsEmpty());
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(progress.value(), 0);
}

INSTANTIATE_TEST_SUITE_P(, EndOnASlowCard,
                         ::testing::Values(SlowCase{"WhileCopying", {4'000'000, 0, 0}, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kadoru
