#include "win32/win32_progress.h"

#include "platform/windows/windows_api.h"
#include "win32/status_window.h"

namespace kadoru {

Win32Progress::Win32Progress(MessageBox& errors) : errors_(errors) {
}

Win32Progress::~Win32Progress() = default;

void Win32Progress::show() {
    if (!window_) {
        window_ = std::make_unique<StatusWindow>(errors_);
        redraw();
    }
    // Not modal: the run goes on at once.
    ::ShowWindow(window_->window(), SW_SHOW);
    ::UpdateWindow(window_->window());
}

void Win32Progress::hide() {
    if (window_)
        ::ShowWindow(window_->window(), SW_HIDE);
}

bool Win32Progress::is_shown() const {
    return window_ && ::IsWindowVisible(window_->window()) != FALSE;
}

void Win32Progress::draw_bar(int steps) const {
    if (window_)
        window_->draw_bar(steps);
}

} // namespace kadoru
