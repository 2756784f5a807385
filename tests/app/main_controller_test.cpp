#include "app/main_controller.h"
#include "app/main_view_model.h"
#include "app/settings_file.h"
#include "fakes/fake_machine.h"
#include "fakes/fake_song_details.h"
#include "platform/card_ejector.h"
#include "platform/desktop_notice.h"
#include "platform/failure.h"
#include "transfer/run_events.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kadoru {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

const std::string program_folder = "/opt/kadoru";
const SettingsPlaces places{program_folder, ""}; // no user folder to fall back on

// A card that leaves its drive when removed, unless the removal is refused.
class FakeEjector final : public CardEjector {
public:
    explicit FakeEjector(test::FakeDrives& drives) : drives_(drives) {}
    Removable removable(const std::string& /*root*/) const override { return Removable::unknown; }
    std::optional<std::string> eject(const std::string& root) override {
        ejected.push_back(root);
        if (!refusal.empty())
            throw Failure(failure_code::permission_denied, refusal);
        for (auto& [letter, drive] : drives_.drives)
            if (drive.root == root)
                drive.ready = false;
        return std::nullopt;
    }
    std::vector<std::string> ejected;
    std::string refusal;

private:
    test::FakeDrives& drives_;
};

class RecordingNotice final : public DesktopNotice {
public:
    void post(std::string_view text) override { posted.emplace_back(text); }
    std::vector<std::string> posted;
};

class MainControllerTest : public ::testing::Test, public test::FakeMachine {
protected:
    MainControllerTest() {
        fs.add_folder(program_folder);
        fs.add_file("/home/u/Music/start.mp3", 4000);
        fs.add_file("/home/u/Music/Jazz/b.mp3", 2'000'000);
        fs.add_file("/home/u/Music/Jazz/a.mp3", 1'000'000);
        fs.add_file("/home/u/Music/Jazz/c.wav", 3'000'000);
        fs.add_folder("/media/card/Pop");
        restart();
    }

    // A new window over the same machine: what the next run of the program sees.
    void restart() {
        controller.reset();
        vm = std::make_unique<MainViewModel>(drives, fs, "c:", "/home/u/Music");
        controller = std::make_unique<MainController>(*vm, fs, drives, messages, events, clock,
                                                      progress, details, ejector, notice);
    }

    void write_settings(const std::optional<std::string>& text) {
        if (text)
            fs.texts[settings_path(program_folder)] = *text;
        else
            fs.texts.erase(settings_path(program_folder));
    }

    std::vector<std::string> rows() const {
        std::vector<std::string> names;
        names.reserve(static_cast<std::size_t>(vm->file1.count()));
        for (int i = 0; i < vm->file1.count(); ++i)
            names.push_back(vm->file1.row(i));
        return names;
    }

    test::FakeSongDetails details;
    FakeEjector ejector{drives};
    RecordingNotice notice;
    std::unique_ptr<MainViewModel> vm;
    std::unique_ptr<MainController> controller;
};

struct StartCase {
    const char* title;
    std::optional<std::string> settings;
    const char* drive1;
    const char* dir1;
    const char* drive2;
    const char* free_space;
    const char* capacity;
    std::vector<std::string> messages;
};

void PrintTo(const StartCase& c, std::ostream* os) {
    *os << c.title;
}

class StartUp : public MainControllerTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartUp, RestoresWhatItCanAndFallsBackToTheSourceDrive) {
    const StartCase& c = GetParam();
    write_settings(c.settings);
    controller->start_up(places);
    EXPECT_EQ(vm->app_path, program_folder);
    EXPECT_EQ(vm->drive1.drive(), c.drive1);
    EXPECT_EQ(vm->dir1.path(), c.dir1);
    EXPECT_EQ(vm->drive2.drive(), c.drive2);
    EXPECT_EQ(vm->label8.text(), c.free_space);
    EXPECT_EQ(vm->label11.text(), c.capacity);
    EXPECT_EQ(messages.texts(), c.messages);
    EXPECT_THAT(vm->combo_ftype.items(), ElementsAre("MP3", "WMA", "WAV"));
    EXPECT_EQ(vm->combo_ftype.text(), "MP3");
    EXPECT_EQ(vm->file1.path(), vm->dir1.path());
    EXPECT_EQ(vm->file1.pattern(), "*.MP3");
    EXPECT_EQ(vm->file_size.size(), static_cast<std::size_t>(vm->file1.count()));
    EXPECT_EQ(vm->label9.text(), "");
}

const std::vector<std::string> no_messages;

INSTANTIATE_TEST_SUITE_P(
    Table, StartUp,
    ::testing::Values(
        StartCase{"Restored", "/home/u/Music/Jazz,e:", "c:", "/home/u/Music/Jazz", "e:", "1.5MB",
                  "2GB", no_messages},
        StartCase{"NoFile", std::nullopt, "c:", "/home/u/Music", "c:", "40GB", "100GB",
                  no_messages},
        StartCase{"EmptyFile", "", "c:", "/home/u/Music", "c:", "40GB", "100GB", no_messages},
        // The drive still follows the folder text; its handler shows its current folder.
        StartCase{"MissingFolder", "/media/card/Gone,e:", "e:", "/media/card", "e:", "1.5MB", "2GB",
                  no_messages},
        StartCase{"AbsentDestination", "/home/u/Music/Jazz,x:", "c:", "/home/u/Music/Jazz",
                  "c:", "40GB", "100GB", no_messages},
        StartCase{"DestinationNotReady",
                  "/home/u/Music/Jazz,a:",
                  "c:",
                  "/home/u/Music/Jazz",
                  "c:",
                  "40GB",
                  "100GB",
                  {"ドライブa:の準備が出来ていません"}},
        StartCase{"SourceDriveNotReady",
                  "/media/floppy/Old,e:",
                  "c:",
                  "/home/u/Music",
                  "e:",
                  "1.5MB",
                  "2GB",
                  {"ドライブa:の準備が出来ていません"}}),
    [](const auto& info) { return std::string(info.param.title); });

TEST_F(MainControllerTest, StartUpListsTheFolderEvenWhenNothingChanged) {
    write_settings("/home/u/Music,c:");
    controller->start_up(places);
    EXPECT_THAT(rows(), ElementsAre("start.mp3"));
    EXPECT_THAT(vm->file_size, ElementsAre(4000));
}

TEST_F(MainControllerTest, CloseWritesWhatTheNextStartRestores) {
    write_settings(std::nullopt);
    controller->start_up(places);
    vm->dir1.assign("/home/u/Music/Jazz");
    vm->drive2.assign("e:");
    vm->file1.set_selected(0, true);
    controller->add(); // the list is not kept, and nothing asks
    controller->close();
    EXPECT_EQ(fs.texts[settings_path(program_folder)], "/home/u/Music/Jazz,e:");

    drives.drives["c:"].current = "/home/u/Music"; // a new run starts where it started
    restart();
    controller->start_up(places);
    EXPECT_EQ(vm->dir1.path(), "/home/u/Music/Jazz");
    EXPECT_EQ(vm->drive1.drive(), "c:");
    EXPECT_EQ(vm->drive2.drive(), "e:");
    EXPECT_EQ(vm->list2.count(), 0);
    EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(MainControllerTest, CloseLeavesAFailureToSaveForTheWindowToShow) {
    controller->start_up(places);
    fs.failures[settings_path(program_folder)] = failure_code::permission_denied;
    try {
        controller->close();
        ADD_FAILURE() << "the failure was swallowed";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.code(), failure_code::permission_denied);
    }
    EXPECT_THAT(messages.shown, IsEmpty());
}

// Each event of the window reaches its operation through the view-model.
TEST_F(MainControllerTest, EveryListEventRunsItsHandler) {
    write_settings("/home/u/Music/Jazz,c:");
    controller->start_up(places);
    ASSERT_THAT(rows(), ElementsAre("a.mp3", "b.mp3"));

    vm->file1.set_selected(1, true);
    vm->file1.on_click();
    EXPECT_EQ(vm->label9.text(), "2MB");
    vm->file1.on_double_click();
    ASSERT_EQ(vm->list2.count(), 1);
    EXPECT_EQ(vm->list2.row(0), (TransferEntry{"b.mp3", "/home/u/Music/Jazz/b.mp3", "2000000"}));
    EXPECT_EQ(vm->label7.text(), "2MB");

    vm->combo_ftype.choose(2);
    EXPECT_THAT(rows(), ElementsAre("c.wav"));
    EXPECT_EQ(vm->label9.text(), "");

    vm->drive2.assign("e:");
    EXPECT_EQ(vm->label8.text(), "1.5MB");

    vm->drive1.assign("e:");
    EXPECT_EQ(vm->dir1.path(), "/media/card");
    vm->dir1.assign("/media/card/Pop");
    EXPECT_EQ(vm->file1.path(), "/media/card/Pop");
    EXPECT_EQ(vm->file1.pattern(), "*.WAV");
    EXPECT_EQ(vm->list2.count(), 1); // browsing leaves the transfer list alone
}

TEST_F(MainControllerTest, ButtonsEditTheTransferList) {
    write_settings("/home/u/Music/Jazz,c:");
    controller->start_up(places);
    controller->add_all();
    controller->add_all();
    EXPECT_EQ(vm->label7.text(), "6MB");
    vm->list2.set_selected(1, true);
    vm->list2.set_list_index(1);
    controller->move_down();
    controller->remove();
    EXPECT_EQ(vm->label7.text(), "4MB");
    controller->move_up(); // nothing selected any more
    controller->clear();
    EXPECT_EQ(vm->label7.text(), "0KB");
    EXPECT_EQ(vm->list2.count(), 0);
}

TEST_F(MainControllerTest, StartRunsTheTransferAndSavesTheSettingsOnTheWay) {
    write_settings("/home/u/Music/Jazz,e:");
    controller->start_up(places);
    controller->add_all();
    fs.write_text(settings_path(program_folder), "stale");
    drives.drives["e:"].free = 3'000'000; // just room for the list
    messages.answers = {Answer::no};      // keep what is on the card
    controller->start();
    EXPECT_TRUE(fs.exists("/media/card/a.mp3"));
    EXPECT_TRUE(fs.exists("/media/card/b.mp3"));
    EXPECT_EQ(fs.texts[settings_path(program_folder)], "/home/u/Music/Jazz,e:");
    EXPECT_EQ(messages.texts().back(), "処理が終了しました");
    // The end of the run is also a desktop notice, which shows when the window is behind.
    EXPECT_THAT(notice.posted, ElementsAre("処理が終了しました"));
    EXPECT_TRUE(vm->controls.enabled(LockedControl::b_ok));
    EXPECT_FALSE(progress.shown);
}

// Close (or the close box) where the run lets events run ends the program there:
// nothing of the run goes on, and only Close saves.
struct EndCase {
    const char* title;
    bool close_button;
    int copies_before; // files the run has copied when the user ends the program
};

void PrintTo(const EndCase& c, std::ostream* os) {
    *os << c.title;
}

class EndDuringARun : public MainControllerTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(EndDuringARun, NothingOfTheRunGoesOn) {
    const EndCase& c = GetParam();
    const std::string settings = settings_path(program_folder);
    write_settings("/home/u/Music/Jazz,e:");
    controller->start_up(places);
    controller->add_all();
    drives.drives["e:"].free = 3'000'000;
    int copies = 0;
    fs.on_copy = [&](const std::string&, const std::string&) { ++copies; };
    std::optional<std::string> saved;
    events.on_pump = [&](int) {
        if (saved || !progress.shown || copies != c.copies_before)
            return;
        write_settings(std::nullopt);
        c.close_button ? controller->close() : controller->end();
        saved = fs.texts.count(settings) != 0 ? fs.texts[settings] : "";
        write_settings(std::nullopt); // so that a second save shows
    };
    messages.answers = {Answer::no};
    controller->start();
    controller->start(); // a click that arrives while the windows go does nothing

    EXPECT_EQ(copies, c.copies_before);
    EXPECT_THAT(messages.texts(), ElementsAre("e:\\ の中のMP3ファイルを削除しますか？"));
    EXPECT_EQ(saved, c.close_button ? "/home/u/Music/Jazz,e:" : "");
    EXPECT_EQ(fs.texts.count(settings), 0U);
}

INSTANTIATE_TEST_SUITE_P(, EndDuringARun,
                         ::testing::Values(EndCase{"CloseBeforeTheLock", true, 0},
                                           EndCase{"TheCloseBoxAfterTheFirstFile", false, 1}),
                         [](const auto& info) { return std::string(info.param.title); });

TEST_F(MainControllerTest, DuringARunNothingRearrangesOrAddsToTheList) {
    write_settings("/home/u/Music/Jazz,e:");
    controller->start_up(places);
    controller->add_all();
    fs.texts["/home/u/Music/list.m3u8"] = "Jazz/a.mp3\n";
    drives.drives["e:"].free = 3'000'000;
    messages.answers = {Answer::no};
    vm->list2.set_selected(1, true);
    bool tried = false;
    events.on_pump = [&](int) {
        if (!controller->list_editable() && !tried) {
            tried = true;
            controller->move_selected_to(0);
            controller->sort_by_name();
            controller->sort_by_track();
            controller->shuffle();
            controller->add_dropped({"/home/u/Music/start.mp3"});
            controller->add_playlist("/home/u/Music/list.m3u8");
        }
    };
    controller->start();
    EXPECT_TRUE(tried);
    EXPECT_TRUE(fs.exists("/media/card/a.mp3"));
    EXPECT_EQ(vm->list2.count(), 2);
    EXPECT_EQ(vm->list2.row(1).name, "b.mp3");
    EXPECT_TRUE(controller->list_editable());

    // Idle again, the same steps work; added files count, missing ones are told.
    controller->add_dropped({"/home/u/Music/start.mp3", "/home/u/Music/gone.mp3"});
    EXPECT_EQ(vm->list2.count(), 3);
    EXPECT_EQ(messages.texts().back(), "追加できなかったファイルが1個あります");
    controller->move_selected_to(0);
    EXPECT_EQ(vm->list2.row(0).name, "b.mp3");
    controller->sort_by_name();
    EXPECT_EQ(vm->list2.row(0).name, "a.mp3");
    EXPECT_EQ(vm->label7.text(), "3MB");
}

TEST_F(MainControllerTest, AGoneControllerLeavesNoHandlersBehind) {
    controller.reset();
    vm->drive2.assign("e:");
    vm->file1.show("/home/u/Music", "*.MP3");
    EXPECT_FALSE(vm->file1.on_click);
    EXPECT_EQ(vm->label8.text(), "");
}

TEST_F(MainControllerTest, TheCardsOrderIsReadFromDrive2AndADriveNotReadyLeavesByName) {
    controller->start_up(places);
    vm->drive2.assign("e:");
    const CardOrder order = controller->card_order();
    EXPECT_EQ(order.drive, "e:");
    EXPECT_FALSE(order.as_stored); // the fake card's file system keeps no order

    // The failure leaves for the window, said of the drive it could not read.
    drives.drives["e:"].ready = false;
    try {
        controller->card_order();
        ADD_FAILURE() << "a card that is not ready was read";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure_message(failure), "ドライブe:の準備が出来ていません");
    }
    EXPECT_THAT(messages.texts(), IsEmpty());
}

// A working folder left by a killed arrangement is emptied once Drive2 turns to the
// card; Close during an arrangement puts the songs back before the program ends; the
// user's own folder of the working folder's name is never touched.
TEST_F(MainControllerTest, ArrangingLeavesNoSongBehindAndNeverTouchesTheUsersOwnFolder) {
    drives.drives["e:"].type = "vfat";
    for (const auto* song : {"a.mp3", "b.mp3", "KDRSORT/photo.jpg", "KDRSORT1/KDRSORT.TAG",
                             "KDRSORT1/c.mp3", "KDRSORT1/own.txt"})
        fs.add_file("/media/card/" + std::string(song), 1);
    controller->start_up(places);
    vm->drive2.assign("e:");
    EXPECT_TRUE(fs.exists("/media/card/c.mp3"));
    EXPECT_THAT(messages.texts(), ElementsAre(HasSubstr("曲1個")));
    fs.remove_file("/media/card/KDRSORT1/own.txt");
    fs.remove_file("/media/card/KDRSORT1/KDRSORT.TAG");
    fs.remove_empty_folder("/media/card/KDRSORT1");

    const CardOrder order = controller->card_order();
    bool closed = false;
    fs.on_move = [&](const std::string& from, const std::string&) {
        if (from == "/media/card/KDRSORT1/c.mp3" && !std::exchange(closed, true))
            throw ProgramEnding(); // Close, as the window's events ran
    };
    controller->arrange_card(order, {"c.mp3", "b.mp3", "a.mp3"}, [](int, int) {});
    for (const auto* song : {"a.mp3", "b.mp3", "c.mp3", "KDRSORT/photo.jpg"})
        EXPECT_TRUE(fs.exists("/media/card/" + std::string(song))) << song;
    EXPECT_FALSE(fs.is_folder("/media/card/KDRSORT1"));
}

// Drive2's 取り出す: a card is removed and the destination falls back to the source
// drive; a refusal is shown and changes nothing; the machine's own disks are never offered.
struct EjectCase {
    const char* title;
    const char* drive2;
    std::string refusal;
    bool offered;
    std::vector<std::string> ejected;
    const char* drive2_after;
    std::vector<std::string> messages;
};

void PrintTo(const EjectCase& c, std::ostream* os) {
    *os << c.title;
}

class Eject : public MainControllerTest, public ::testing::WithParamInterface<EjectCase> {};

TEST_P(Eject, RemovesTheCardOrSaysWhyNot) {
    const EjectCase& c = GetParam();
    drives.drives["c:"].fixed = true;
    controller->start_up(places);
    vm->drive2.assign(c.drive2);
    ejector.refusal = c.refusal;
    EXPECT_EQ(controller->can_eject(), c.offered);
    controller->eject_card();
    EXPECT_EQ(ejector.ejected, c.ejected);
    EXPECT_EQ(vm->drive2.drive(), c.drive2_after);
    EXPECT_EQ(messages.texts(), c.messages);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Eject,
    ::testing::Values(EjectCase{"a card", "e:", "", true, {"/media/card"}, "c:", {}},
                      EjectCase{"a busy card",
                                "e:",
                                "ドライブが使用中です。",
                                true,
                                {"/media/card"},
                                "e:",
                                {"ドライブe:を取り出せませんでした\nドライブが使用中です。"}},
                      EjectCase{"the system disk", "c:", "", false, {}, "c:", {}}));

TEST_F(MainControllerTest, NoRemovalIsOfferedDuringARun) {
    controller->start_up(places);
    vm->drive2.assign("e:");
    controller->add_all();
    bool offered_during_the_run = true;
    int looks = 0;
    events.on_pump = [&](int /*call*/) {
        ++looks;
        offered_during_the_run = offered_during_the_run && !controller->can_eject();
    };
    messages.answers = {Answer::no};
    controller->start();
    EXPECT_GT(looks, 0);
    EXPECT_TRUE(offered_during_the_run);
    EXPECT_TRUE(controller->can_eject());
}

} // namespace
} // namespace kadoru
