#include "win32/status_window.h"

#include "platform/window_texts.h"
#include "platform/windows/wide_text.h"
#include "transfer/progress.h"
#include "win32/dpi.h"
#include "win32/window_font.h"
#include "win32/window_procedure.h"

#include <commctrl.h>
#include <stdexcept>

namespace kadoru {

namespace {

constexpr const wchar_t* class_name = L"kadoru_status";
constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

constexpr int text_pixels = 12;

HWND child(HWND parent, const wchar_t* kind, const std::wstring& text, DWORD kind_style,
           const Place& place, int dpi) {
    return ::CreateWindowExW(0, kind, text.c_str(), WS_CHILD | WS_VISIBLE | kind_style,
                             scaled(place.x, dpi), scaled(place.y, dpi), scaled(place.width, dpi),
                             scaled(place.height, dpi), parent, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

} // namespace

StatusWindow::StatusWindow(MessageBox& errors) : errors_(errors) {
    const INITCOMMONCONTROLSEX bar{sizeof bar, ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&bar);
    register_window_class(class_name, &window_procedure<StatusWindow, ::DefWindowProcW>);
    const int dpi = system_dpi();
    const Place& area = progress_client_area;
    RECT frame{scaled(area.x, dpi), scaled(area.y, dpi), scaled(area.x + area.width, dpi),
               scaled(area.y + area.height, dpi)};
    ::AdjustWindowRectEx(&frame, style, FALSE, 0);
    window_.reset(::CreateWindowExW(0, class_name, to_wide(window_text::progress_title).c_str(),
                                    style, frame.left, frame.top, frame.right - frame.left,
                                    frame.bottom - frame.top, nullptr, nullptr,
                                    ::GetModuleHandleW(nullptr), this));
    if (!window_)
        throw std::runtime_error("the progress window could not be created");
    label1_ = child(window(), L"STATIC", to_wide(window_text::progress_text), SS_NOPREFIX,
                    progress_text_place, dpi);
    // The bar is named by the line above it, for assistive technology.
    progress_bar1_ = child(window(), PROGRESS_CLASSW, {}, 0, progress_bar_place, dpi);
    ::SendMessageW(progress_bar1_, PBM_SETRANGE32, 0, progress_bar_steps);
    font_ = message_font(text_pixels, dpi);
    use_font(window(), font_.get());
}

StatusWindow::~StatusWindow() = default;

void StatusWindow::draw_bar(int steps) const {
    ::SendMessageW(progress_bar1_, PBM_SETPOS, static_cast<WPARAM>(steps), 0);
}

LRESULT StatusWindow::handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CLOSE) {
        // Closing it during a run must never end the program or the run.
        ::ShowWindow(window, SW_HIDE);
        return 0;
    }
    return ::DefWindowProcW(window, message, wparam, lparam);
}

} // namespace kadoru
