// The Win32 ports under Wine's null display driver: what the event pump holds back
// before the lock, the message boxes' buttons and answers, and the progress window.
#include "platform/window_texts.h"
#include "platform/windows/windows_api.h"
#include "win32/combo_view.h"
#include "win32/status_window.h"
#include "win32/win32_event_pump.h"
#include "win32/win32_message_box.h"
#include "win32/win32_progress.h"

#include <commctrl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kadoru {
namespace {

// A window that counts the messages that reach it.
LRESULT CALLBACK count(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR /*id*/,
                       DWORD_PTR seen) {
    reinterpret_cast<std::vector<UINT>*>(seen)->push_back(message);
    return ::DefSubclassProc(window, message, wparam, lparam);
}

struct HeldCase {
    const char* name;
    bool to_close;
    UINT message;
    WPARAM wparam;
    bool passes_while_held;
};

class EventPumpTest : public ::testing::TestWithParam<HeldCase> {};

// Before the lock the run lets the windows run but takes none of the user's input:
// Close's own clicks, Escape and Alt+F4 pass, and so does what only paints or tracks.
TEST_P(EventPumpTest, HoldsTheUsersInputButTheWayToEnd) {
    const HeldCase& held = GetParam();
    std::vector<UINT> seen;
    HWND windows[2];
    for (HWND& window : windows) {
        window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr,
                                   nullptr, nullptr);
        ::SetWindowSubclass(window, &count, 1, reinterpret_cast<DWORD_PTR>(&seen));
    }
    Win32EventPump pump;
    pump.let_input_reach(windows[1]);
    for (const bool hold : {false, true}) {
        seen.clear();
        pump.hold_input(hold);
        ::PostMessageW(windows[held.to_close ? 1 : 0], held.message, held.wparam, 0);
        pump.process_events();
        EXPECT_EQ(std::count(seen.begin(), seen.end(), held.message),
                  !hold || held.passes_while_held)
            << held.name << (hold ? " held" : "");
    }
    for (HWND window : windows)
        ::DestroyWindow(window);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, EventPumpTest,
    ::testing::Values(HeldCase{"Key", false, WM_KEYDOWN, 'A', false},
                      HeldCase{"TypedLetter", false, WM_CHAR, 'a', false},
                      HeldCase{"Click", false, WM_LBUTTONDOWN, MK_LBUTTON, false},
                      HeldCase{"WheelTurn", false, WM_MOUSEWHEEL, 0, false},
                      HeldCase{"Drop", false, WM_DROPFILES, 0, false},
                      HeldCase{"Escape", false, WM_KEYDOWN, VK_ESCAPE, true},
                      HeldCase{"AltF4", false, WM_SYSKEYDOWN, VK_F4, true},
                      HeldCase{"ClickOnClose", true, WM_LBUTTONDOWN, MK_LBUTTON, true},
                      HeldCase{"PointerMoving", false, WM_MOUSEMOVE, 0, true},
                      HeldCase{"Timer", false, WM_TIMER, 1, true}),
    [](const auto& info) { return std::string(info.param.name); });

// Answers the next message box of this thread with a button, from inside the box's
// own loop (a message posted when the box is shown), and keeps what it showed.
struct BoxAnswerer {
    explicit BoxAnswerer(int pressed) : button(pressed) {
        current = this;
        hook = ::SetWindowsHookExW(WH_CBT, &on_event, nullptr, ::GetCurrentThreadId());
    }
    ~BoxAnswerer() { ::UnhookWindowsHookEx(hook); }
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;
    BoxAnswerer(BoxAnswerer&&) = delete;
    BoxAnswerer& operator=(BoxAnswerer&&) = delete;

    static LRESULT CALLBACK on_event(int code, WPARAM wparam, LPARAM lparam) {
        if (code == HCBT_ACTIVATE && current->box == nullptr) {
            current->box = reinterpret_cast<HWND>(wparam);
            ::SetTimer(current->box, 1, 0, &look);
        }
        return ::CallNextHookEx(nullptr, code, wparam, lparam);
    }
    static void CALLBACK look(HWND box, UINT /*message*/, UINT_PTR timer, DWORD /*time*/) {
        ::KillTimer(box, timer);
        current->title = text_of(box);
        // Wine makes every kind of button and shows those asked for; the icon is id 20.
        for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            wchar_t kind[16]{};
            ::GetClassNameW(child, kind, 16);
            if (::IsWindowVisible(child) != FALSE && std::wstring(kind) == L"Button")
                current->buttons.push_back(text_of(child));
            current->icon =
                current->icon || (::IsWindowVisible(child) != FALSE && ::GetDlgCtrlID(child) == 20);
        }
        ::PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(current->button), 0);
    }

    static inline BoxAnswerer* current = nullptr;
    int button;
    HWND box = nullptr;
    HHOOK hook;
    std::string title;
    std::vector<std::string> buttons;
    bool icon = false;
};

struct BoxCase {
    Buttons buttons;
    int pressed;
    Answer answer;
};

class MessageBoxTest : public ::testing::TestWithParam<BoxCase> {};

TEST_P(MessageBoxTest, ShowsNoIconTheButtonsAskedForAndTellsWhichWasPressed) {
    const BoxCase& box_case = GetParam();
    const BoxAnswerer answerer(box_case.pressed);
    EXPECT_EQ(Win32MessageBox().show("転送を開始しますか", app_title, box_case.buttons),
              box_case.answer);
    EXPECT_EQ(answerer.title, "Kadoru");
    EXPECT_FALSE(answerer.icon);
    // Wine's Japanese captions, with their access keys.
    if (box_case.buttons == Buttons::ok)
        EXPECT_THAT(answerer.buttons, ::testing::ElementsAre("OK"));
    else
        EXPECT_THAT(answerer.buttons,
                    ::testing::ElementsAre("はい(&Y)", "いいえ(&N)", "キャンセル"));
}

INSTANTIATE_TEST_SUITE_P(Answers, MessageBoxTest,
                         ::testing::Values(BoxCase{Buttons::ok, IDOK, Answer::ok},
                                           BoxCase{Buttons::yes_no_cancel, IDYES, Answer::yes},
                                           BoxCase{Buttons::yes_no_cancel, IDNO, Answer::no},
                                           BoxCase{Buttons::yes_no_cancel, IDCANCEL,
                                                   Answer::cancel}));

TEST(ProgressWindowTest, IsMadeAtTheFirstShowAndClosingItOnlyHidesIt) {
    Win32MessageBox errors;
    Win32Progress progress(errors);
    progress.set_max(4);
    EXPECT_EQ(progress.window(), nullptr);
    progress.show();
    const StatusWindow& status = *progress.window();
    EXPECT_TRUE(progress.is_shown());
    EXPECT_EQ(text_of(status.window()), window_text::progress_title);
    EXPECT_EQ(text_of(status.label1()), window_text::progress_text);
    EXPECT_EQ(::GetWindow(status.window(), GW_OWNER), nullptr);
    RECT client{};
    ::GetClientRect(status.window(), &client);
    EXPECT_EQ(client.right * 1000 + client.bottom, 312'073);
    const auto bar = [&] { return ::SendMessageW(status.progress_bar1(), PBM_GETPOS, 0, 0); };

    progress.set_value(progress.value() + 1);
    EXPECT_EQ(bar(), 2500);
    ::SendMessageW(status.window(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(progress.is_shown());
    progress.set_value(progress.value() + 1);
    EXPECT_EQ(bar(), 5000);
    progress.show();
    EXPECT_TRUE(progress.is_shown());
    EXPECT_EQ(progress.window(), &status);
}

} // namespace
} // namespace kadoru
