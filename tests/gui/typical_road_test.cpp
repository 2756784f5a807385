// The whole program in use, through its real window: start-up from a settings file,
// choosing files with the mouse, building and arranging the list, a transfer run
// onto a temporary "card", Close, and the next start. Only the drives (letters over
// temporary folders, with fixed figures), the clock and the answers to the message
// boxes are the test's own.
#include "app/main_program.h"
#include "app/settings_file.h"
#include "app/widgets/kadoru10.h"
#include "fakes/fake_drives.h"
#include "fakes/fake_ui.h"
#include "gui_test_support.h"
#include "platform/linux/posix_file_system.h"
#include "platform/widgets/qt_event_pump.h"
#include "transfer/widgets/window_progress.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>

namespace kadoru {
namespace {

using kadoru::test::click_row;
using kadoru::test::double_click_row;
using kadoru::test::selected_rows;
using kadoru::test::show_active;
using ::testing::ElementsAre;
namespace stdfs = std::filesystem;

// The window's own pump, with a look at the screen each time the run lets it paint.
class WatchedPump final : public EventPump {
public:
    std::function<void()> watch;
    void process_events() override {
        qt_.process_events();
        if (watch)
            watch();
    }

private:
    QtEventPump qt_;
};

// One run of the program: its state and behaviour as main builds them, and its window.
struct Program {
    Program(const ProgramPorts& ports, const std::string& start_folder, Kadoru10::EndProgram end)
        : main(ports, start_folder),
          window(main.model, main.controller, ports.messages, std::move(end)) {}

    MainProgram main;
    MainViewModel& model = main.model;
    MainController& controller = main.controller;
    Kadoru10 window;
};

class TypicalRoad : public ::testing::Test {
protected:
    TypicalRoad() {
        EXPECT_TRUE(temporary.isValid());
        drives.add("c:", "/").current = root;
        drives.add("e:", card, 50'000'000, 64'000'000'000);
        stdfs::create_directories(music + "/sub");
        stdfs::create_directories(card);
        stdfs::create_directories(app);
        make_file(music + "/01 朝.mp3", 300'000);
        make_file(music + "/02 昼.mp3", 200'000);
        make_file(music + "/03 夜.MP3", 100'000);
        make_file(music + "/notes.txt", 10);
        make_file(card + "/old.mp3", 10);
        make_file(card + "/keep.wma", 10);
        write_text(settings_path(app), music + ",e:");
    }

    static void make_file(const std::string& path, std::uintmax_t size) {
        std::ofstream(path, std::ios::binary) << std::string(size, 'm');
    }
    static void write_text(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string read_text(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    // Starts the program as its main does: start-up, then the window is shown.
    void start_program() {
        program.reset();
        program = std::make_unique<Program>(
            ProgramPorts{drives, fs, messages, events, clock, progress}, root, [this] { ++ended; });
        program->controller.start_up({app, ""});
        show_active(program->window);
    }

    template <class W = QWidget> W& control(const char* name) {
        auto* found = program->window.findChild<W*>(QString::fromLatin1(name));
        if (found == nullptr)
            throw std::runtime_error(std::string("no control ") + name);
        return *found;
    }
    std::string text_of(const char* label) { return control<QLabel>(label).text().toStdString(); }
    void press(const char* button) {
        QTest::mouseClick(&control<QPushButton>(button), Qt::LeftButton);
    }
    std::vector<std::string> list2_names() const {
        std::vector<std::string> names;
        names.reserve(static_cast<std::size_t>(program->model.list2.count()));
        for (int i = 0; i < program->model.list2.count(); ++i)
            names.push_back(program->model.list2.row(i).name);
        return names;
    }

    QTemporaryDir temporary;
    const std::string root = temporary.path().toStdString();
    const std::string music = root + "/music";
    const std::string card = root + "/card";
    const std::string app = root + "/app";

    test::FakeDrives drives;
    PosixFileSystem fs;
    test::ScriptedMessageBox messages;
    WatchedPump events;
    test::FakeClock clock;
    WindowProgress progress;
    int ended = 0;
    std::unique_ptr<Program> program; // last, so it goes before the ports it uses
};

TEST_F(TypicalRoad, FromAFolderToCopiedFilesAndBackAtTheNextStart) {
    start_program();
    auto& model = program->model;
    ASSERT_EQ(model.dir1.path(), music);
    EXPECT_EQ(model.drive2.drive(), "e:");
    EXPECT_EQ(text_of("Label8"), "50MB");
    EXPECT_EQ(text_of("Label11"), "64GB");
    EXPECT_EQ(text_of("Label9"), "");
    EXPECT_EQ(text_of("Label7"), "");
    auto& file1 = control<QListView>("File1");
    ASSERT_EQ(file1.model()->rowCount(), 3);
    EXPECT_EQ(file1.model()->index(0, 0).data().toString(), QStringLiteral("01 朝.mp3"));

    // A range with Shift, then one row dropped with Ctrl.
    click_row(file1, 0);
    click_row(file1, 2, Qt::ShiftModifier);
    EXPECT_EQ(text_of("Label9"), "600KB");
    click_row(file1, 1, Qt::ControlModifier);
    EXPECT_THAT(selected_rows(file1), ElementsAre(0, 2));
    EXPECT_EQ(text_of("Label9"), "400KB");
    press("Command1");
    EXPECT_THAT(list2_names(), ElementsAre("01 朝.mp3", "03 夜.MP3"));
    EXPECT_EQ(text_of("Label7"), "400KB");

    // A double-click selects its row alone and adds it.
    double_click_row(file1, 1);
    EXPECT_EQ(text_of("Label9"), "200KB");
    EXPECT_THAT(list2_names(), ElementsAre("01 朝.mp3", "03 夜.MP3", "02 昼.mp3"));
    EXPECT_EQ(text_of("Label7"), "600KB");

    auto& list2 = control<QListView>("List2");
    click_row(list2, 2);
    press("Command4");
    EXPECT_THAT(list2_names(), ElementsAre("01 朝.mp3", "02 昼.mp3", "03 夜.MP3"));
    EXPECT_THAT(selected_rows(list2), ElementsAre(1));

    // Start: Yes to clearing the card's MP3 files; the finished message is answered OK.
    bool saw_run = false; // the progress window up and the controls locked
    events.watch = [&] {
        if (!progress.is_shown() || control("b_ok").isEnabled())
            return; // not yet locked (the run lets events run once before the lock)
        saw_run = true;
        EXPECT_FALSE(control("File1").isEnabled());
        EXPECT_FALSE(control("b_cancel").isEnabled());
        EXPECT_TRUE(control("Command7").isEnabled());
    };
    messages.answers = {Answer::yes};
    press("b_ok");
    events.watch = nullptr;
    EXPECT_TRUE(saw_run);
    EXPECT_THAT(messages.texts(),
                ElementsAre("e:\\ の中のMP3ファイルを削除しますか？", "処理が終了しました"));
    EXPECT_FALSE(progress.is_shown());
    EXPECT_TRUE(control("b_ok").isEnabled());
    EXPECT_EQ(stdfs::file_size(card + "/01 朝.mp3"), 300'000U);
    EXPECT_EQ(stdfs::file_size(card + "/02 昼.mp3"), 200'000U);
    EXPECT_EQ(stdfs::file_size(card + "/03 夜.MP3"), 100'000U);
    EXPECT_FALSE(stdfs::exists(card + "/old.mp3"));
    EXPECT_TRUE(stdfs::exists(card + "/keep.wma"));
    EXPECT_TRUE(stdfs::exists(music + "/01 朝.mp3"));
    EXPECT_GE(clock.sleeps.size(), 2U); // 300KB and 200KB wait; 100KB does not
    EXPECT_EQ(text_of("Label7"), "600KB");
    EXPECT_EQ(text_of("Label9"), "200KB");
    EXPECT_EQ(text_of("Label8"), "50MB");
    EXPECT_EQ(text_of("Label11"), "64GB");

    // Close writes the settings anew and ends the program.
    stdfs::remove(settings_path(app));
    press("b_cancel");
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(read_text(settings_path(app)), music + ",e:");

    // The next start restores the folder and the destination; the list is not kept.
    drives.drives["c:"].current = root;
    start_program();
    EXPECT_EQ(program->model.drive1.drive(), "c:");
    EXPECT_EQ(program->model.dir1.path(), music);
    EXPECT_EQ(program->model.drive2.drive(), "e:");
    EXPECT_EQ(program->model.list2.count(), 0);
    EXPECT_EQ(control<QListView>("File1").model()->rowCount(), 3);
    EXPECT_EQ(messages.texts().size(), 2U);
}

// Close where the run lets it in (before the lock), or the close box during the
// copying, ends the program there: nothing more is copied or said, only Close saves.
TEST_F(TypicalRoad, EndingTheProgramDuringARunStopsTheRun) {
    for (const bool close_button : {true, false}) {
        SCOPED_TRACE(close_button ? "Close" : "the close box");
        stdfs::remove_all(card);
        stdfs::create_directories(card);
        write_text(settings_path(app), music + ",e:");
        start_program();
        write_text(settings_path(app), "old");
        press("Command6");
        ended = 0;
        events.watch = [&] {
            if (ended != 0 || !progress.is_shown())
                return;
            if (close_button)
                press("b_cancel");
            else if (progress.value() >= 1) // the first file copied
                program->window.close();
        };
        messages.answers = {Answer::no};
        const auto shown_before = messages.texts().size();
        press("b_ok");
        events.watch = nullptr;

        EXPECT_EQ(ended, 1);
        EXPECT_EQ(messages.texts().size(), shown_before + 1); // the delete question only
        EXPECT_EQ(read_text(settings_path(app)), close_button ? music + ",e:" : "old");
        EXPECT_FALSE(stdfs::exists(card + "/03 夜.MP3"));
        EXPECT_EQ(stdfs::exists(card + "/01 朝.mp3"), !close_button);
    }
}

} // namespace
} // namespace kadoru
