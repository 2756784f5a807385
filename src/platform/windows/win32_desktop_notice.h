#pragma once

#include "platform/desktop_notice.h"
#include "platform/windows/windows_api.h"

#include <functional>
#include <shellapi.h>
#include <string_view>
#include <utility>

namespace kadoru {

// The tray balloon's data: an icon in the tray and the text as the
// balloon's, cut to what the balloon holds without splitting a character.
NOTIFYICONDATAW balloon_of(HWND window, HICON icon, std::string_view text);

// The notice at a run's end, for a user whose window is not in front: the taskbar
// button flashes until the window comes forward, and a tray balloon tells the text.
// The icon stays in the tray until this object goes.
class Win32DesktopNotice final : public DesktopNotice {
public:
    // `window`: the window the notice is about; none before it exists, and then
    // nothing shows.
    explicit Win32DesktopNotice(std::function<HWND()> window) : window_(std::move(window)) {}
    ~Win32DesktopNotice() override;
    Win32DesktopNotice(const Win32DesktopNotice&) = delete;
    Win32DesktopNotice& operator=(const Win32DesktopNotice&) = delete;
    Win32DesktopNotice(Win32DesktopNotice&&) = delete;
    Win32DesktopNotice& operator=(Win32DesktopNotice&&) = delete;

    void post(std::string_view text) override;

private:
    std::function<HWND()> window_;
    // The window whose icon is in the tray, once one is.
    HWND in_tray_ = nullptr;
};

} // namespace kadoru
