// The Win32 ports under Wine's null display driver: what the event pump holds back
// before the lock, the message boxes' buttons and answers, and the progress window.
#include "platform/window_texts.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_api.h"
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

using ::testing::ElementsAre;

std::wstring text_of(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring class_of(HWND window) {
    std::wstring name(64, L'\0');
    name.resize(static_cast<std::size_t>(
        ::GetClassNameW(window, name.data(), static_cast<int>(name.size()))));
    return name;
}

// A window of buttons, each counting what reaches it.
class InputWindows {
public:
    InputWindows() {
        dialog_ = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                    nullptr, nullptr);
        for (int id : {IDOK, IDCANCEL}) {
            HWND button = ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20,
                                            dialog_, reinterpret_cast<HMENU>(id), nullptr, nullptr);
            ::SetWindowSubclass(button, &count, 1, reinterpret_cast<DWORD_PTR>(&seen_));
        }
    }
    ~InputWindows() { ::DestroyWindow(dialog_); }
    InputWindows(const InputWindows&) = delete;
    InputWindows& operator=(const InputWindows&) = delete;
    InputWindows(InputWindows&&) = delete;
    InputWindows& operator=(InputWindows&&) = delete;

    HWND dialog() const { return dialog_; }
    HWND start() const { return ::GetDlgItem(dialog_, IDOK); }
    HWND close() const { return ::GetDlgItem(dialog_, IDCANCEL); }
    // Each message of `messages` that reached a button: its name and the message.
    const std::vector<std::pair<std::string, UINT>>& seen() const { return seen_; }
    void forget() { seen_.clear(); }

private:
    static LRESULT CALLBACK count(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                  UINT_PTR /*id*/, DWORD_PTR seen) {
        if (message == WM_KEYDOWN || message == WM_CHAR || message == WM_LBUTTONDOWN ||
            message == WM_MOUSEMOVE || message == WM_MOUSEWHEEL || message == WM_SYSKEYDOWN ||
            message == WM_TIMER || message == WM_DROPFILES) {
            reinterpret_cast<std::vector<std::pair<std::string, UINT>>*>(seen)->emplace_back(
                ::GetDlgCtrlID(window) == IDOK ? "start" : "close", message);
            if (message != WM_TIMER)
                return 0;
        }
        return ::DefSubclassProc(window, message, wparam, lparam);
    }

    HWND dialog_;
    std::vector<std::pair<std::string, UINT>> seen_;
};

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
    InputWindows windows;
    Win32EventPump pump;
    pump.let_input_reach(windows.close());
    for (const bool hold : {false, true}) {
        windows.forget();
        pump.hold_input(hold);
        HWND target = held.to_close ? windows.close() : windows.start();
        ::PostMessageW(target, held.message, held.wparam, 0);
        pump.process_events();
        const bool passed =
            !windows.seen().empty() && windows.seen().front().second == held.message;
        EXPECT_EQ(passed, !hold || held.passes_while_held) << held.name << " held " << hold;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Messages, EventPumpTest,
    ::testing::Values(HeldCase{"a key", false, WM_KEYDOWN, 'A', false},
                      HeldCase{"a typed letter", false, WM_CHAR, 'a', false},
                      HeldCase{"a click", false, WM_LBUTTONDOWN, MK_LBUTTON, false},
                      HeldCase{"a wheel turn", false, WM_MOUSEWHEEL, 0, false},
                      HeldCase{"a drop", false, WM_DROPFILES, 0, false},
                      HeldCase{"Escape", false, WM_KEYDOWN, VK_ESCAPE, true},
                      HeldCase{"Alt+F4", false, WM_SYSKEYDOWN, VK_F4, true},
                      HeldCase{"a click on Close", true, WM_LBUTTONDOWN, MK_LBUTTON, true},
                      HeldCase{"the pointer moving", false, WM_MOUSEMOVE, 0, true},
                      HeldCase{"a timer", false, WM_TIMER, 1, true}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (std::isalnum(static_cast<unsigned char>(c)) == 0)
                c = '_';
        return name;
    });

TEST(EventPumpQuitTest, TheNestedLoopPassesTheQuitOnToTheOuterOne) {
    Win32EventPump pump;
    ::PostQuitMessage(3);
    pump.process_events();
    EXPECT_EQ(pump.run(), 3);
}

// Answers the next message box of this thread with a button, once the box runs
// its own loop, and keeps what it showed.
class BoxAnswerer {
public:
    explicit BoxAnswerer(int button) : button_(button) {
        current = this;
        helper_ = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    nullptr, nullptr);
        ::SetWindowSubclass(helper_, &answer, 1, 0);
        hook_ = ::SetWindowsHookExW(WH_CBT, &on_event, nullptr, ::GetCurrentThreadId());
    }
    ~BoxAnswerer() {
        ::UnhookWindowsHookEx(hook_);
        ::DestroyWindow(helper_);
        current = nullptr;
    }
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;
    BoxAnswerer(BoxAnswerer&&) = delete;
    BoxAnswerer& operator=(BoxAnswerer&&) = delete;

    std::wstring title;
    std::vector<std::wstring> buttons;
    bool icon = false;

private:
    // The box is being shown: look at it from inside its loop.
    static LRESULT CALLBACK on_event(int code, WPARAM wparam, LPARAM lparam) {
        if (code == HCBT_ACTIVATE && current != nullptr && current->box_ == nullptr) {
            current->box_ = reinterpret_cast<HWND>(wparam);
            ::PostMessageW(current->helper_, WM_APP, 0, 0);
        }
        return ::CallNextHookEx(nullptr, code, wparam, lparam);
    }

    static LRESULT CALLBACK answer(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                   UINT_PTR /*id*/, DWORD_PTR /*data*/) {
        if (message != WM_APP || current == nullptr)
            return ::DefSubclassProc(window, message, wparam, lparam);
        HWND box = current->box_;
        current->title = text_of(box);
        for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            // Wine makes every kind of button and shows those asked for.
            if (::IsWindowVisible(child) == FALSE)
                continue;
            if (class_of(child) == L"Button")
                current->buttons.push_back(text_of(child));
            // The box's icon is a picture of its own, id 20.
            current->icon = current->icon || ::GetDlgCtrlID(child) == 20;
        }
        ::PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(current->button_), 0);
        return 0;
    }

    static inline BoxAnswerer* current = nullptr;
    int button_;
    HWND box_ = nullptr;
    HWND helper_;
    HHOOK hook_;
};

struct BoxCase {
    Buttons buttons;
    int pressed;
    Answer answer;
};

class MessageBoxTest : public ::testing::TestWithParam<BoxCase> {};

TEST_P(MessageBoxTest, ShowsNoIconTheButtonsAskedForAndTellsWhichWasPressed) {
    const BoxCase& box_case = GetParam();
    Win32MessageBox box;
    const BoxAnswerer answerer(box_case.pressed);
    EXPECT_EQ(box.show("転送を開始しますか", app_title, box_case.buttons), box_case.answer);
    EXPECT_EQ(answerer.title, L"Kadoru");
    EXPECT_FALSE(answerer.icon);
    // Wine's Japanese captions, with their access keys.
    if (box_case.buttons == Buttons::ok)
        EXPECT_THAT(answerer.buttons, ElementsAre(L"OK"));
    else
        EXPECT_THAT(answerer.buttons, ElementsAre(L"はい(&Y)", L"いいえ(&N)", L"キャンセル"));
}

INSTANTIATE_TEST_SUITE_P(Answers, MessageBoxTest,
                         ::testing::Values(BoxCase{Buttons::ok, IDOK, Answer::ok},
                                           BoxCase{Buttons::ok, IDCANCEL, Answer::ok},
                                           BoxCase{Buttons::yes_no_cancel, IDYES, Answer::yes},
                                           BoxCase{Buttons::yes_no_cancel, IDNO, Answer::no},
                                           BoxCase{Buttons::yes_no_cancel, IDCANCEL,
                                                   Answer::cancel}));

class QuietBox final : public MessageBox {
public:
    Answer show(std::string_view /*text*/, std::string_view /*title*/,
                Buttons /*buttons*/) override {
        return Answer::ok;
    }
};

int bar_position(const Win32Progress& progress) {
    return static_cast<int>(::SendMessageW(progress.window()->progress_bar1(), PBM_GETPOS, 0, 0));
}

TEST(ProgressWindowTest, IsMadeAtTheFirstShowAndClosingItOnlyHidesIt) {
    QuietBox errors;
    Win32Progress progress(errors);
    progress.set_max(4);
    EXPECT_EQ(progress.window(), nullptr);
    EXPECT_FALSE(progress.is_shown());

    progress.show();
    const StatusWindow& status = *progress.window();
    EXPECT_TRUE(progress.is_shown());
    EXPECT_EQ(text_of(status.window()), to_wide(window_text::progress_title));
    EXPECT_EQ(text_of(status.label1()), to_wide(window_text::progress_text));
    EXPECT_EQ(class_of(status.progress_bar1()), PROGRESS_CLASSW);
    EXPECT_EQ(::GetWindow(status.window(), GW_OWNER), nullptr);
    RECT client{};
    ::GetClientRect(status.window(), &client);
    EXPECT_EQ(client.right, 312);
    EXPECT_EQ(client.bottom, 73);

    progress.set_min(0);
    progress.set_value(progress.value() + 1);
    EXPECT_EQ(bar_position(progress), 2500);
    ::SendMessageW(status.window(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(progress.is_shown());
    EXPECT_NE(::IsWindow(status.window()), FALSE);
    progress.set_value(progress.value() + 1);
    EXPECT_EQ(bar_position(progress), 5000);

    progress.show();
    EXPECT_TRUE(progress.is_shown());
    EXPECT_EQ(progress.window(), &status);
}

} // namespace
} // namespace kadoru
