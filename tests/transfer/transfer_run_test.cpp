#include "fakes/fake_drives.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_transfer_ports.h"
#include "fakes/fake_ui.h"
#include "platform/drive_selector.h"
#include "platform/failure.h"
#include "platform/folder_list.h"
#include "transfer/transfer_run.h"
#include "transfer_list/transfer_list.h"

#include <chrono>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace kadoru {
namespace {

using namespace std::chrono_literals;
using kadoru::test::FakeClock;
using kadoru::test::FakeControls;
using kadoru::test::FakeDrives;
using kadoru::test::FakeEventPump;
using kadoru::test::FakeFileSystem;
using kadoru::test::FakeProgress;
using kadoru::test::ScriptedMessageBox;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

constexpr auto finished = "message 処理が終了しました";

// The names of the thirteen locked controls, for the journal.
constexpr std::array<const char*, 13> control_names = {
    "b_ok",     "b_cancel", "Dir1",     "Drive1",   "Drive2",   "File1",      "Command1",
    "Command6", "Command2", "Command3", "Command4", "Command5", "Combo_ftype"};

// Every port of the run is a fake, and each writes what happens to it into one
// journal, so a test can check the order of things across them.
class TransferRunTest : public ::testing::Test {
protected:
    TransferRunTest() {
        drives.add("c:", "/", 1000000000000);
        drives.add("d:", "/data", 1000000000);
        drives.add("e:", "/card", 1000000000);
        drives.add("f:", "/other", 1000000000);
        for (const char* folder : {"/music", "/data", "/card", "/other"})
            fs.add_folder(folder);

        messages.while_shown = [this](const ScriptedMessageBox::Shown& shown) {
            journal.push_back("message " + shown.text);
        };
        progress.on_change = [this](const std::string& what) { journal.push_back(what); };
        controls.on_change = [this](LockedControl control, bool on) {
            journal.push_back((on ? "enable " : "disable ") +
                              std::string(control_names.at(static_cast<std::size_t>(control))));
        };
        events.on_pump = [this](int call) {
            journal.emplace_back("events");
            if (user)
                user(call);
        };
        fs.on_copy = [this](const std::string& from, const std::string& to) {
            journal.push_back("copy " + from + " -> " + to);
            if (copy_takes)
                clock.advance(*copy_takes);
            copy_starts.push_back(clock.now());
        };
    }

    // A source file of the given size, appended to the transfer list as the add
    // command does; the total follows.
    void add(const std::string& name, std::uint64_t bytes, const std::string& folder = "/music") {
        fs.add_file(folder + "/" + name, bytes);
        list.append({name, folder + "/" + name, std::to_string(bytes)});
        total_size += static_cast<double>(bytes);
    }
    void add_files(int count, std::uint64_t bytes = 1000) {
        for (int i = 1; i <= count; ++i)
            add(std::to_string(i) + ".mp3", bytes);
    }

    TransferRun& run() {
        if (!run_) {
            drive2.emplace(drives, destination);
            drive2->on_change = [this] { ++drive2_changes; };
            run_ = std::make_unique<TransferRun>(
                TransferInputs{list, *drive2, dir1, [this] { return type; },
                               [this](const std::string& folder, const std::string& drive) {
                                   journal.push_back("save " + folder + "," + drive);
                                   if (save_fails)
                                       throw Failure(*save_fails);
                               }},
                TransferPorts{fs, drives, clock, messages, events, progress, controls});
        }
        return *run_;
    }

    // An ended run takes the next Start (one under way ignores it): asked to clear
    // the card, or for a guarded drive straight to its checks, it runs again.
    bool takes_the_next_start() {
        const std::size_t before = messages.shown.size() + journal.size();
        messages.answers = {Answer::cancel};
        run().start();
        return messages.shown.size() + journal.size() > before;
    }

    bool journal_has(const std::string& entry) const {
        return std::find(journal.begin(), journal.end(), entry) != journal.end();
    }
    bool was_locked() const { return journal_has("disable b_ok"); }
    std::vector<std::string> progress_journal() const {
        std::vector<std::string> result;
        for (const auto& e : journal)
            if (e == "show" || e == "hide" || e.rfind("min ", 0) == 0 || e.rfind("max ", 0) == 0 ||
                e.rfind("value ", 0) == 0)
                result.push_back(e);
        return result;
    }

    FakeDrives drives;
    FakeFileSystem fs;
    FakeClock clock;
    ScriptedMessageBox messages;
    FakeEventPump events;
    FakeProgress progress;
    FakeControls controls;
    TransferList list;
    double total_size = 0;
    FolderList dir1{drives, fs, "/music"};
    std::string destination = "e:";
    std::optional<DriveSelector> drive2;
    int drive2_changes = 0;
    std::string type = "MP3";
    std::optional<int> save_fails;
    std::optional<std::chrono::milliseconds> copy_takes;
    std::vector<Clock::time_point> copy_starts;
    std::function<void(int call)> user; // what the user does where events run
    std::vector<std::string> journal;

private:
    std::unique_ptr<TransferRun> run_;
};

std::vector<std::string> all_controls(const std::string& what) {
    std::vector<std::string> result;
    result.reserve(control_names.size());
    for (const char* name : control_names)
        result.push_back(what + " " + name);
    return result;
}

template <class... Parts> std::vector<std::string> joined(const Parts&... parts) {
    std::vector<std::string> result;
    (result.insert(result.end(), parts.begin(), parts.end()), ...);
    return result;
}

TEST_F(TransferRunTest, AnEmptyListAsksForFilesAndDoesNothingElse) {
    run().start();
    EXPECT_THAT(journal, ElementsAre("message ファイルを選択してください"));
    EXPECT_EQ(messages.shown[0].title, "Kadoru");
    EXPECT_EQ(messages.shown[0].buttons, Buttons::ok);
    EXPECT_FALSE(progress.created);
}

TEST_F(TransferRunTest, ACompleteRunInItsOrder) {
    messages.answers = {Answer::no};
    add_files(2);
    run().start();
    using V = std::vector<std::string>;
    EXPECT_EQ(journal, joined(V{"message e:\\ の中のMP3ファイルを削除しますか？", "show", "min 0",
                                "max 2", "events"},
                              all_controls("disable"),
                              V{"events",
                                // each file: copy, events, the wait's first check, the bar
                                "copy /music/1.mp3 -> /card/1.mp3", "events", "events", "value 1",
                                "copy /music/2.mp3 -> /card/2.mp3", "events", "events", "value 2",
                                // the end: hidden and saved before the message, unlocked after it
                                "events", "value 0", "hide", "save /music,e:", finished},
                              all_controls("enable"), V{"events"}));
    EXPECT_EQ(messages.shown[0].title, "削除の確認");
    EXPECT_EQ(messages.shown[0].buttons, Buttons::yes_no_cancel);
    EXPECT_EQ(messages.shown[1].title, "Kadoru");
    EXPECT_TRUE(takes_the_next_start());
}

struct GuardCase {
    const char* drive;
    const char* root;
    bool asked;
    bool fixed = false; // one of the machine's own disks
};
std::ostream& operator<<(std::ostream& os, const GuardCase& c) {
    return os << c.drive;
}

class DriveGuard : public TransferRunTest, public ::testing::WithParamInterface<GuardCase> {};

TEST_P(DriveGuard, AsksAndDeletesOnlyOffTheSystemDrives) {
    const auto& c = GetParam();
    if (drives.drives.count(c.drive) == 0)
        drives.add(c.drive, c.root, 1000000000);
    drives.drives[c.drive].fixed = c.fixed;
    fs.add_file(std::string(c.root) + "/old.mp3", 5);
    destination = c.drive;
    messages.answers = {Answer::yes};
    add("new.mp3", 10);
    run().start();

    EXPECT_EQ(
        journal_has("message " + std::string(c.drive) + "\\ の中のMP3ファイルを削除しますか？"),
        c.asked);
    EXPECT_EQ(fs.exists(std::string(c.root) + "/old.mp3"), !c.asked);
    EXPECT_TRUE(fs.exists(std::string(c.root) + "/new.mp3"));
    EXPECT_EQ(messages.texts().back(), "処理が終了しました");
}

INSTANTIATE_TEST_SUITE_P(Drives, DriveGuard,
                         ::testing::Values(GuardCase{"c:", "/", false},
                                           GuardCase{"d:", "/data", false},
                                           GuardCase{"C:", "/upper", true},
                                           GuardCase{"D:", "/upper2", true},
                                           GuardCase{"e:", "/card", true},
                                           // The machine's own disks, whatever their letter.
                                           GuardCase{"e:", "/card", false, true},
                                           GuardCase{"g:", "/home", false, true}));

struct AnswerCase {
    Answer answer;
    std::vector<std::string> root_after;
};
std::ostream& operator<<(std::ostream& os, const AnswerCase& c) {
    return os << static_cast<int>(c.answer);
}

class DeleteAnswer : public TransferRunTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(DeleteAnswer, DecidesWhatHappensToTheRootFolder) {
    for (const char* name : {"z.mp3", "a.wma", "B.MP3", "p3", "song.mp3", "xmp3"})
        fs.add_file(std::string("/card/") + name, 5);
    fs.add_file("/card/sub/c.mp3", 5);
    messages.answers = {GetParam().answer};
    add("song.mp3", 700);
    run().start();

    EXPECT_EQ(fs.names("/card"), GetParam().root_after);
    EXPECT_TRUE(fs.exists("/card/sub/c.mp3"));
    if (GetParam().answer == Answer::cancel) {
        EXPECT_THAT(journal, ElementsAre("message e:\\ の中のMP3ファイルを削除しますか？"));
        return;
    }
    EXPECT_THAT(fs.files("/card"), Contains(FileEntry{"song.mp3", 700})); // replaced in place
    if (GetParam().answer == Answer::yes) { // in the order of the listing
        EXPECT_THAT(std::vector(fs.log.begin(), fs.log.begin() + 4),
                    ElementsAre("delete /card/z.mp3", "delete /card/B.MP3", "delete /card/song.mp3",
                                "delete /card/xmp3"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, DeleteAnswer,
    ::testing::Values(AnswerCase{Answer::cancel,
                                 {"z.mp3", "a.wma", "B.MP3", "p3", "song.mp3", "xmp3"}},
                      AnswerCase{Answer::no, {"z.mp3", "a.wma", "B.MP3", "p3", "song.mp3", "xmp3"}},
                      AnswerCase{Answer::yes, {"a.wma", "p3", "song.mp3"}}));

struct SpaceCase {
    std::int64_t spare; // free space minus the list's total
    bool proceeds;
};
std::ostream& operator<<(std::ostream& os, const SpaceCase& c) {
    return os << c.spare;
}

class SpaceCheck : public TransferRunTest, public ::testing::WithParamInterface<SpaceCase> {};

TEST_P(SpaceCheck, StopsOnlyWhenTheTotalIsGreaterThanTheFreeSpace) {
    fs.add_file("/card/old.mp3", 5);
    messages.answers = {Answer::yes};
    add_files(3, 400000);
    // The check counts the 5 bytes the delete step would free, and comes before it.
    drives.drives["e:"].free = static_cast<std::uint64_t>(1200000 - 5 + GetParam().spare);
    run().start();

    EXPECT_EQ(fs.exists("/card/old.mp3"), !GetParam().proceeds);
    if (GetParam().proceeds) {
        EXPECT_THAT(fs.names("/card"), ElementsAre("1.mp3", "2.mp3", "3.mp3"));
        return;
    }
    EXPECT_EQ(messages.shown.back().text, "e: の空き領域が不足しています");
    EXPECT_EQ(messages.shown.back().title, "容量不足");
    EXPECT_FALSE(progress.created);
    EXPECT_FALSE(was_locked());
    EXPECT_THAT(fs.names("/card"), ElementsAre("old.mp3"));
}

INSTANTIATE_TEST_SUITE_P(Boundary, SpaceCheck,
                         ::testing::Values(SpaceCase{-1, false}, SpaceCase{0, true},
                                           SpaceCase{1, true}));

TEST_F(TransferRunTest, TheBarCountsTheFilesAndIsEmptyAndHiddenAfterEachRun) {
    destination = "c:";
    add_files(4);
    run().start();
    const std::vector<std::string> one_run = {"show",    "min 0",   "max 4",   "value 1", "value 2",
                                              "value 3", "value 4", "value 0", "hide"};
    EXPECT_EQ(progress_journal(), one_run);
    journal.clear();
    run().start(); // the window comes back with an empty bar
    EXPECT_EQ(progress_journal(), one_run);
    EXPECT_EQ(progress.shows, 2);
}

TEST_F(TransferRunTest, TwoRowsOfOneNameCopyToOneFileAndBothCount) {
    destination = "c:";
    add("x.mp3", 10, "/music/a");
    add("x.mp3", 20, "/music/b");
    messages.answers = {Answer::yes}; // to the question that names them
    run().start();
    EXPECT_THAT(fs.files("/"), ElementsAre(FileEntry{"x.mp3", 20}));
    EXPECT_TRUE(journal_has("value 2"));
}

TEST_F(TransferRunTest, EachFileWaitsItsTimeFromTheStartOfItsCopy) {
    destination = "c:";
    copy_takes = 2s;
    add("big.mp3", 4000000);
    add("small.mp3", 124999);
    add("last.mp3", 1);
    run().start();
    ASSERT_EQ(copy_starts.size(), 3U);
    // copy_starts are taken after each copy's two seconds.
    EXPECT_EQ(copy_starts[1] - copy_starts[0], 28s);
    EXPECT_EQ(copy_starts[2] - copy_starts[1], 2s); // under 125,000 bytes never waits
}

TEST_F(TransferRunTest, AFailureWhileCopyingStopsWithTheBarStillUpThenReturnsToIdle) {
    destination = "c:";
    add_files(5);
    fs.failures["/3.mp3"] = failure_code::device_io_error;
    bool checked = false;
    messages.while_shown = [&](const ScriptedMessageBox::Shown& shown) {
        EXPECT_EQ(shown.text, "Error：57で異常終了しました");
        EXPECT_TRUE(progress.shown);
        EXPECT_EQ(progress.current, 2);
        EXPECT_EQ(progress.max, 5);
        EXPECT_TRUE(controls.all(false));
        checked = true;
    };
    run().start();

    EXPECT_TRUE(checked);
    EXPECT_FALSE(progress.shown);
    EXPECT_EQ(progress.current, 0);
    EXPECT_TRUE(controls.all(true));
    EXPECT_THAT(journal, Not(Contains(::testing::StartsWith("save"))));
    EXPECT_THAT(fs.names("/"), ElementsAre("1.mp3", "2.mp3")); // no partial third file
    EXPECT_TRUE(takes_the_next_start());
}

struct EarlyFailure {
    const char* what;
    std::function<void(FakeFileSystem&)> arrange;
    int code;
};
std::ostream& operator<<(std::ostream& os, const EarlyFailure& c) {
    return os << c.what;
}

class FailureBeforeCopying : public TransferRunTest,
                             public ::testing::WithParamInterface<EarlyFailure> {};

TEST_P(FailureBeforeCopying, ShowsItsNumberAndNeverLocks) {
    fs.add_file("/card/old.mp3", 5);
    GetParam().arrange(fs);
    messages.answers = {Answer::yes};
    add_files(2);
    run().start();
    EXPECT_EQ(messages.texts().back(), error_message(GetParam().code));
    EXPECT_FALSE(was_locked());
    EXPECT_FALSE(progress.created);
    EXPECT_THAT(fs.log, Not(Contains(::testing::StartsWith("copy"))));
    EXPECT_FALSE(journal_has("save /music,e:"));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FailureBeforeCopying,
    ::testing::Values(EarlyFailure{"root unreadable",
                                   [](FakeFileSystem& fs) {
                                       fs.failures["/card"] = failure_code::device_io_error;
                                   },
                                   failure_code::device_io_error},
                      EarlyFailure{"read-only file",
                                   [](FakeFileSystem& fs) { fs.read_only.insert("/card/old.mp3"); },
                                   failure_code::permission_denied}),
    [](const auto& info) { return info.index == 0 ? "RootUnreadable" : "ReadOnlyFile"; });

TEST_F(TransferRunTest, AFailureWhileSavingTheSettingsEndsWithoutTheFinishedMessage) {
    destination = "c:";
    add_files(2);
    save_fails = failure_code::permission_denied;
    run().start();
    EXPECT_THAT(messages.texts(), ElementsAre("Error：70で異常終了しました"));
    EXPECT_THAT(fs.names("/"), ElementsAre("1.mp3", "2.mp3"));
    const auto save = std::find(journal.begin(), journal.end(), "save /music,c:");
    ASSERT_NE(save, journal.end());
    EXPECT_EQ(std::count(journal.begin(), save, "hide"), 1); // hidden before
    EXPECT_EQ(std::count(save, journal.end(), "hide"), 0);   // and not again
    EXPECT_TRUE(controls.all(true));
}

enum class CardGone { at_start, pulled, mounted_elsewhere };

class NotReady : public TransferRunTest, public ::testing::WithParamInterface<CardGone> {};

TEST_P(NotReady, ShowsItsMessageAndMovesDrive2ToTheSourceFoldersDrive) {
    add_files(3);
    messages.answers = {Answer::no};
    if (GetParam() == CardGone::at_start)
        drives.drives["e:"].ready = false;
    fs.on_copy = [&](const std::string&, const std::string&) {
        if (GetParam() == CardGone::pulled)
            drives.drives["e:"].ready = false;
        else // the old mount point is left behind as a plain folder
            drives.drives["e:"].root = "/mnt/card";
    };
    run().start();

    EXPECT_EQ(messages.texts().back(), "ドライブe:の準備が出来ていません");
    EXPECT_EQ(drive2->drive(), "c:");
    EXPECT_EQ(drive2_changes, 1);
    EXPECT_EQ(progress.current, 0);
    EXPECT_FALSE(progress.shown);
    EXPECT_TRUE(controls.all(true));
    EXPECT_EQ(was_locked(), GetParam() != CardGone::at_start);
    EXPECT_EQ(fs.names("/card").size(), GetParam() == CardGone::at_start ? 0U : 1U);
}

INSTANTIATE_TEST_SUITE_P(When, NotReady,
                         ::testing::Values(CardGone::at_start, CardGone::pulled,
                                           CardGone::mounted_elsewhere));

TEST_F(TransferRunTest, EveryFileGoesToTheDestinationTheRunStartedWith) {
    messages.answers = {Answer::no};
    add_files(3, 200000);
    // Drive2 moves once where the controls are still enabled, and again from the
    // refresh handler while the run waits.
    user = [&](int call) {
        if (call == 1)
            drive2->assign("f:");
        if (call == 30)
            drive2->assign("d:");
    };
    run().start();
    EXPECT_THAT(fs.names("/card"), ElementsAre("1.mp3", "2.mp3", "3.mp3"));
    EXPECT_THAT(fs.names("/other"), IsEmpty());
    EXPECT_THAT(fs.names("/data"), IsEmpty());
    EXPECT_TRUE(journal_has("save /music,d:")); // the settings keep what Drive2 shows
}

TEST_F(TransferRunTest, AStartArrivingDuringARunIsIgnored) {
    destination = "c:";
    add_files(3, 200000);
    user = [&](int) { run().start(); };
    run().start();
    EXPECT_EQ(progress.shows, 1);
    EXPECT_THAT(fs.log, ElementsAre("copy /music/1.mp3 -> /1.mp3", "copy /music/2.mp3 -> /2.mp3",
                                    "copy /music/3.mp3 -> /3.mp3"));
    EXPECT_EQ(std::count(journal.begin(), journal.end(), finished), 1);
}

TEST_F(TransferRunTest, ClosingTheWindowByHandDoesNotDisturbTheRun) {
    destination = "c:";
    add_files(5);
    fs.failures["/3.mp3"] = failure_code::disk_full;
    user = [&](int call) {
        if (call == 3)
            progress.close_by_user();
    };
    run().start();
    EXPECT_EQ(messages.texts().back(), "Error：61で異常終了しました");
    EXPECT_EQ(progress.current, 0); // still emptied for the next run
    EXPECT_TRUE(controls.all(true));

    fs.failures.clear();
    user = nullptr;
    run().start();
    EXPECT_EQ(progress.shows, 2);
    EXPECT_EQ(messages.texts().back(), "処理が終了しました");
}

struct SourceInRoot {
    const char* what;
    std::vector<TransferEntry> rows;
    std::vector<std::string> root_after;
    bool finishes;
};
std::ostream& operator<<(std::ostream& os, const SourceInRoot& c) {
    return os << c.what;
}

class NothingDestroyed : public TransferRunTest,
                         public ::testing::WithParamInterface<SourceInRoot> {};

TEST_P(NothingDestroyed, AFileTheListStillNeedsIsNeitherDeletedNorOverwritten) {
    fs.add_file("/card/old.mp3", 5);
    fs.add_file("/card/gone.mp3", 5);
    fs.add_file("/music/old.mp3", 700);
    for (const auto& row : GetParam().rows) {
        list.append(row);
        total_size += std::stod(row.size_text);
    }
    messages.answers = {Answer::yes};
    run().start();
    EXPECT_EQ(fs.names("/card"), GetParam().root_after);
    EXPECT_EQ(journal_has(finished), GetParam().finishes);
    if (!GetParam().finishes) {
        EXPECT_EQ(messages.texts().back(), error_message(failure_code::path_file_access_error));
        EXPECT_EQ(fs.files("/card").front(), (FileEntry{"old.mp3", 5}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NothingDestroyed,
    ::testing::Values(
        // The delete step keeps the source; the copy under a new name goes ahead.
        SourceInRoot{"kept", {{"new.mp3", "/card/old.mp3", "5"}}, {"old.mp3", "new.mp3"}, true},
        // A file is never copied onto itself, and the run knows it before it deletes.
        SourceInRoot{"self", {{"old.mp3", "/card/old.mp3", "5"}}, {"old.mp3", "gone.mp3"}, false},
        // Nor overwritten before a later row has copied it.
        SourceInRoot{"later",
                     {{"old.mp3", "/music/old.mp3", "700"}, {"b.mp3", "/card/old.mp3", "5"}},
                     {"old.mp3", "gone.mp3"},
                     false}),
    [](const auto& info) { return std::string(info.param.what); });

} // namespace
} // namespace kadoru
