#include "platform/windows/win32_desktop_notice.h"

#include "platform/windows/wide_text.h"

#include <algorithm>
#include <iterator>

namespace kadoru {

namespace {

// The one icon this window puts in the tray.
constexpr UINT tray_icon_id = 1;

// The program's icon (the first of its resources); a shared icon, never destroyed.
HICON program_icon() {
    return ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
}

template <std::size_t size> void copy_text(wchar_t (&into)[size], std::wstring_view text) {
    std::size_t length = std::min(text.size(), size - 1);
    // A high surrogate without its pair would end the text in half a character.
    if (length > 0 && length < text.size() && text[length - 1] >= 0xD800 &&
        text[length - 1] <= 0xDBFF)
        --length;
    std::copy_n(text.begin(), length, std::begin(into));
    into[length] = L'\0';
}

} // namespace

NOTIFYICONDATAW balloon_of(HWND window, HICON icon, std::string_view text) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = tray_icon_id;
    data.uFlags = NIF_ICON | NIF_TIP | NIF_INFO;
    data.hIcon = icon;
    data.dwInfoFlags = NIIF_INFO;
    copy_text(data.szTip, L"Kadoru");
    copy_text(data.szInfoTitle, L"Kadoru");
    copy_text(data.szInfo, to_wide(text));
    return data;
}

Win32DesktopNotice::~Win32DesktopNotice() {
    if (in_tray_ != nullptr) {
        NOTIFYICONDATAW data = balloon_of(in_tray_, program_icon(), {});
        ::Shell_NotifyIconW(NIM_DELETE, &data);
    }
}

void Win32DesktopNotice::post(std::string_view text) {
    const HWND window = window_ ? window_() : nullptr;
    if (window == nullptr || ::GetForegroundWindow() == window)
        return;
    FLASHWINFO flash{sizeof flash, window, FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
    ::FlashWindowEx(&flash);
    NOTIFYICONDATAW data = balloon_of(window, program_icon(), text);
    // Adding the icon shows its balloon; a later notice replaces the balloon. Without
    // a tray (a desktop without one) only the flash shows.
    if (in_tray_ == window)
        ::Shell_NotifyIconW(NIM_MODIFY, &data);
    else if (in_tray_ == nullptr && ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE)
        in_tray_ = window;
}

} // namespace kadoru
