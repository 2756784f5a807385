// The real Win32 main window over the real logic, on the drive letters ./scripts/test
// windows gives Wine: the layout read back from the controls, the keys the dialog
// manager turns into Start and Close, a run onto the card e: and Close during one.
// Only the clock and the answers to the message boxes are the test's own.
#include "app/main_program.h"
#include "app/settings_file.h"
#include "fakes/fake_ui.h"
#include "list_box_rows.h"
#include "platform/windows/wide_text.h"
#include "support/scratch_folder.h"
#include "system_pair.h"
#include "win32/combo_view.h"
#include "win32/kadoru10.h"
#include "win32/win32_event_pump.h"
#include "win32/win32_progress.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kadoru {
namespace {

using ::testing::ElementsAre;
namespace stdfs = std::filesystem;

// The window's own pump, with a look at the screen each time the run lets it run.
struct WatchedPump final : EventPump {
    void process_events() override {
        pump.process_events();
        if (watch)
            watch();
    }
    void hold_input(bool held) override { pump.hold_input(held); }
    Win32EventPump pump;
    std::function<void()> watch;
};

class Kadoru10Test : public ::testing::Test {
protected:
    void SetUp() override {
        if (card.empty())
            GTEST_SKIP() << "no test letters: run ./scripts/test windows";
        test::empty_root_folder(card + "\\");
        stdfs::create_directories(std_path(music));
        for (const auto& [name, size] :
             {std::pair{"01 朝.mp3", 200'000}, {"02 昼.mp3", 10}, {"03 夜.mp3", 100'000}})
            std::ofstream(std_path(music + "\\" + name), std::ios::binary)
                << std::string(size, 'm');
        std::ofstream(std_path(settings_path(dir.path())), std::ios::binary) << music + "," + card;
        program = std::make_unique<MainProgram>(
            ProgramPorts{drives, fs, messages, events, clock, progress}, music);
        window = std::make_unique<Kadoru10>(program->model, program->controller, messages);
        events.pump.set_dialog(window->window());
        events.pump.let_input_reach(control("b_cancel"));
        program->controller.start_up({dir.path(), ""});
        window->show(SW_SHOW);
    }

    HWND control(std::string_view name) const { return window->control(name); }
    std::string text(std::string_view name) const { return text_of(control(name)); }
    std::vector<std::string> rows(std::string_view name) const {
        return test::rows_of(control(name));
    }
    // As the user leaves a selection: LB_SETSEL sends no notification of its own.
    void select(std::string_view list, std::initializer_list<int> chosen) {
        ::SendMessageW(control(list), LB_SETSEL, FALSE, -1);
        for (int row : chosen)
            ::SendMessageW(control(list), LB_SETSEL, TRUE, row);
        ::SendMessageW(window->window(), WM_COMMAND,
                       MAKEWPARAM(::GetDlgCtrlID(control(list)), LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(control(list)));
    }
    void press(std::string_view button) { ::SendMessageW(control(button), BM_CLICK, 0, 0); }
    void key(std::string_view focus, WPARAM key) {
        ::SendMessageW(window->window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control(focus)),
                       TRUE);
        ::PostMessageW(control(focus), WM_KEYDOWN, key, 0);
        events.process_events();
    }
    static bool quit_posted() {
        MSG message{};
        return ::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
    }

    const std::string card = test::test_letter("KADORU_TEST_CARD");
    const test::ScratchFolder dir;
    const std::string music = dir / "music";
    WindowsDriveTable drives{dir.path()};
    WindowsFileSystem fs;
    test::ScriptedMessageBox messages;
    WatchedPump events;
    test::FakeClock clock;
    Win32Progress progress{messages};
    std::unique_ptr<MainProgram> program;
    std::unique_ptr<Kadoru10> window; // last: it goes first
};

TEST_F(Kadoru10Test, IsTheLayoutTableReadBackFromItsControls) {
    for (const ControlLayout& layout : main_controls) {
        RECT place{};
        ::GetWindowRect(control(layout.name), &place);
        ::MapWindowPoints(nullptr, window->window(), reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(place.left, layout.place.x) << layout.name;
        EXPECT_EQ(place.top, layout.place.y) << layout.name;
        EXPECT_EQ(place.right - place.left, layout.place.width) << layout.name;
        if (!layout.caption.empty()) {
            EXPECT_EQ(text(layout.name), layout.caption) << layout.name;
        }
    }
    // Tab goes round the table's order; each list follows its caption, which names it.
    HWND focus = control(main_tab_order.front());
    EXPECT_EQ(::GetFocus(), focus);
    for (std::size_t i = 1; i <= main_tab_order.size(); ++i) {
        focus = ::GetNextDlgTabItem(window->window(), focus, FALSE);
        EXPECT_EQ(focus, control(main_tab_order.at(i % main_tab_order.size()))) << i;
    }
    for (const auto& [caption, list] : main_captions)
        EXPECT_EQ(::GetWindow(control(list), GW_HWNDPREV), control(caption)) << list;
    EXPECT_EQ(::SendMessageW(window->window(), DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
    EXPECT_THAT(rows("File1"), ElementsAre("01 朝.mp3", "02 昼.mp3", "03 夜.mp3"));
    EXPECT_EQ(text("Combo_ftype"), "MP3");
    EXPECT_EQ(text("Drive1").substr(0, 2), "c:");
    EXPECT_EQ(text("Drive2").substr(0, 2), card);
    EXPECT_EQ(text("Label7"), "");
}

TEST_F(Kadoru10Test, EnterIsStartUnlessAButtonHasTheFocusAndEscapeIsClose) {
    select("File1", {0});
    press("Command1");
    key("List2", VK_RETURN); // Start asks about the card's songs; Cancel ends it
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown.at(0).buttons, Buttons::yes_no_cancel);
    key("Command3", VK_RETURN); // 全消去, not Start
    EXPECT_THAT(rows("List2"), ElementsAre());
    EXPECT_EQ(text("Label7"), "0KB");
    EXPECT_EQ(messages.shown.size(), 1U);

    auto& locks = const_cast<ControlStates&>(program->model.controls);
    locks.set_enabled(LockedControl::b_cancel, false);
    key("List2", VK_ESCAPE);
    EXPECT_FALSE(quit_posted());
    locks.set_enabled(LockedControl::b_cancel, true);
    key("List2", VK_ESCAPE);
    EXPECT_TRUE(quit_posted());
    EXPECT_TRUE(stdfs::exists(std_path(settings_path(dir.path()))));
}

TEST_F(Kadoru10Test, ARunCopiesOntoTheCardPacedWithTheControlsLocked) {
    select("File1", {0, 2});
    press("Command1");
    select("File1", {1});
    press("Command1");
    EXPECT_EQ(text("Label7"), "300KB");
    select("List2", {2});
    press("Command4");
    EXPECT_THAT(rows("List2"), ElementsAre("01 朝.mp3", "02 昼.mp3", "03 夜.mp3"));

    bool saw_lock = false;
    events.watch = [&] {
        if (!progress.is_shown() || ::IsWindowEnabled(control("b_ok")) != FALSE)
            return; // the run lets events run once before the lock
        saw_lock = true;
        for (const char* locked : {"File1", "b_cancel", "Dir1", "Command1"})
            EXPECT_FALSE(::IsWindowEnabled(control(locked))) << locked;
        EXPECT_TRUE(::IsWindowEnabled(control("Command7")));
        EXPECT_TRUE(::IsWindowEnabled(control("List2")));
    };
    messages.answers = {Answer::yes};
    press("b_ok");
    EXPECT_TRUE(saw_lock);
    EXPECT_EQ(messages.texts().back(), "処理が終了しました");
    EXPECT_FALSE(progress.is_shown());
    EXPECT_TRUE(::IsWindowEnabled(control("b_ok")));
    EXPECT_EQ(stdfs::file_size(std_path(card + "\\01 朝.mp3")), 200'000U);
    EXPECT_EQ(stdfs::file_size(std_path(card + "\\03 夜.mp3")), 100'000U);
    // Paced: the 200KB song keeps the next one waiting about 1.4 s of the clock.
    std::chrono::milliseconds waited{};
    for (const auto sleep : clock.sleeps)
        waited += sleep;
    EXPECT_GE(waited, std::chrono::seconds(1));
}

TEST_F(Kadoru10Test, TheCloseBoxDuringARunEndsItWithoutAPartialSong) {
    select("File1", {0, 1, 2});
    press("Command6");
    events.watch = [&] {
        if (::IsWindowEnabled(control("b_ok")) == FALSE)
            ::PostMessageW(window->window(), WM_CLOSE, 0, 0);
    };
    messages.answers = {Answer::yes};
    press("b_ok");
    EXPECT_TRUE(quit_posted());
    EXPECT_THAT(messages.texts(), ::testing::Not(::testing::Contains("処理が終了しました")));
    const auto copied = fs.entry_names(card + "\\");
    EXPECT_LT(copied.size(), 3U);
    for (const auto& name : copied)
        EXPECT_EQ(stdfs::file_size(std_path(card + "\\" + name)),
                  stdfs::file_size(std_path(music + "\\" + name)));
}

} // namespace
} // namespace kadoru
