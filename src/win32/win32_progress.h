#pragma once

#include "transfer/progress.h"

#include <memory>

namespace kadoru {

class MessageBox;
class StatusWindow;

// The progress port over the Win32 progress window: the window is made the first
// time it is shown and kept, hidden, between runs; it ends with this object.
class Win32Progress final : public BarProgress {
public:
    explicit Win32Progress(MessageBox& errors);
    ~Win32Progress() override;
    Win32Progress(const Win32Progress&) = delete;
    Win32Progress& operator=(const Win32Progress&) = delete;
    Win32Progress(Win32Progress&&) = delete;
    Win32Progress& operator=(Win32Progress&&) = delete;

    void show() override;
    void hide() override;
    bool is_shown() const override;

    // The window, once shown; nullptr before.
    const StatusWindow* window() const { return window_.get(); }

private:
    void draw_bar(int steps) const override;

    MessageBox& errors_;
    std::unique_ptr<StatusWindow> window_;
};

} // namespace kadoru
