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

} // namespace kadoru
