#pragma once

#include "win32/window_handles.h"

namespace kadoru {

class MessageBox;

// The progress window "status": its title, one line of text and the bar. It has no
// behaviour of its own: Win32Progress drives it. It has no owner, and closing it
// only hides it, so the run goes on.
class StatusWindow final {
public:
    explicit StatusWindow(MessageBox& errors);
    ~StatusWindow();
    StatusWindow(const StatusWindow&) = delete;
    StatusWindow& operator=(const StatusWindow&) = delete;
    StatusWindow(StatusWindow&&) = delete;
    StatusWindow& operator=(StatusWindow&&) = delete;

    HWND window() const { return window_.get(); }
    HWND label1() const { return label1_; }
    HWND progress_bar1() const { return progress_bar1_; }

    // The bar filled to this many of its steps (progress_bar_steps in all).
    void draw_bar(int steps) const;

    LRESULT handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    MessageBox& errors() const { return errors_; }

private:
    MessageBox& errors_;
    UniqueFont font_;
    UniqueWindow window_;
    HWND label1_ = nullptr;
    HWND progress_bar1_ = nullptr;
};

} // namespace kadoru
