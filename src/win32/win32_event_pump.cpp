#include "win32/win32_event_pump.h"

namespace kadoru {

namespace {

// A handler that posts as it runs could keep one round going for ever; the rest
// waits for the next round.
constexpr int messages_per_round = 1000;

bool is_key(UINT message) {
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

bool is_mouse_input(UINT message) {
    // Moving the pointer only tracks it (tooltips): no control acts on it.
    return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && message != WM_MOUSEMOVE;
}

// Escape presses Close; Alt+F4 is the close box's key.
bool is_ending_key(const MSG& message) {
    if (message.wParam == VK_ESCAPE)
        return true;
    return (message.message == WM_SYSKEYDOWN || message.message == WM_SYSKEYUP) &&
           message.wParam == VK_F4;
}

} // namespace

bool Win32EventPump::is_held(const MSG& message) const {
    if (!held_)
        return false;
    if (is_key(message.message))
        return !is_ending_key(message);
    if (is_mouse_input(message.message))
        return close_ == nullptr ||
               (message.hwnd != close_ && ::IsChild(close_, message.hwnd) == FALSE);
    return message.message == WM_CONTEXTMENU || message.message == WM_DROPFILES;
}

void Win32EventPump::deliver(MSG& message) const {
    if (is_held(message))
        return;
    if (dialog_ != nullptr && ::IsDialogMessageW(dialog_, &message) != FALSE)
        return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

void Win32EventPump::process_events() {
    MSG message{};
    for (int n = 0;
         n < messages_per_round && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE;
         ++n) {
        if (message.message == WM_QUIT) {
            // The outer loop ends the program; the nested one only passes it on.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        deliver(message);
    }
}

int Win32EventPump::run() {
    MSG message{};
    for (;;) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        deliver(message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace kadoru
