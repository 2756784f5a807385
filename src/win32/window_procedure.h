#pragma once

#include "platform/guard.h"
#include "platform/windows/windows_api.h"

#include <exception>

namespace kadoru {

// The procedure of a window class whose windows are objects of ours: CreateWindowExW's
// last argument is the object, kept in the window's user data from WM_NCCREATE on.
// The object answers `LRESULT handle(HWND, UINT, WPARAM, LPARAM)` and names the
// message box its failures are told in (`errors()`). An exception must never unwind
// through the system's code that called the procedure: whatever escapes is told
// there, and the message gets the class's default handling.
template <class Window, LRESULT(CALLBACK* default_procedure)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam,
                                  LPARAM lparam) noexcept {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* object = reinterpret_cast<Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (object == nullptr)
        return default_procedure(window, message, wparam, lparam);
    try {
        return object->handle(window, message, wparam, lparam);
    } catch (const std::exception& error) {
        report_escaped(object->errors(), error);
    }
    return default_procedure(window, message, wparam, lparam);
}

// Registers a class of windows of ours, drawn on the dialog colour with the arrow
// cursor; `extra_bytes` are kept with each window (DLGWINDOWEXTRA for the dialog
// manager's state). Once per process is enough: a second registration fails harmlessly.
inline void register_window_class(const wchar_t* name, WNDPROC procedure, int extra_bytes = 0,
                                  HICON icon = nullptr) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.cbWndExtra = extra_bytes;
    window_class.hInstance = ::GetModuleHandleW(nullptr);
    window_class.hIcon = icon;
    window_class.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = name;
    ::RegisterClassExW(&window_class);
}

} // namespace kadoru
