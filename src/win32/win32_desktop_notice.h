#pragma once

#include "platform/desktop_notice.h"
#include "platform/windows/windows_api.h"

#include <shellapi.h>
#include <string_view>

namespace kadoru {

// The tray balloon's data: an icon in the tray and the text as the
// balloon's, cut to what the balloon holds without splitting a character.
NOTIFYICONDATAW balloon_of(HWND window, HICON icon, std::string_view text);

// The notice at a run's end, for a user whose window is not in front: the taskbar
// button flashes until the window comes forward, and a tray balloon tells the text.
// The icon stays in the tray until this object goes.
class Win32DesktopNotice final : public DesktopNotice {
public:
    Win32DesktopNotice() = default;
    ~Win32DesktopNotice() override;
    Win32DesktopNotice(const Win32DesktopNotice&) = delete;
    Win32DesktopNotice& operator=(const Win32DesktopNotice&) = delete;
    Win32DesktopNotice(Win32DesktopNotice&&) = delete;
    Win32DesktopNotice& operator=(Win32DesktopNotice&&) = delete;

    // The window the notice is about; none before it exists, and then nothing shows.
    void set_window(HWND window) { window_ = window; }
    void post(std::string_view text) override;

private:
    HWND window_ = nullptr;
    bool in_tray_ = false;
};

} // namespace kadoru
