#pragma once

#include "transfer/progress.h"

#include <memory>

namespace kadoru {

class StatusWindow;

// The progress port on the real window. The window is created the first time it is
// shown and then kept (this object owns it; it has no parent or owner window).
class WindowProgress final : public BarProgress {
public:
    WindowProgress();
    ~WindowProgress() override;
    WindowProgress(const WindowProgress&) = delete;
    WindowProgress& operator=(const WindowProgress&) = delete;
    WindowProgress(WindowProgress&&) = delete;
    WindowProgress& operator=(WindowProgress&&) = delete;

    void show() override;
    void hide() override;
    bool is_shown() const override;

    // The window, or nullptr before the first show.
    StatusWindow* window() const { return window_.get(); }

private:
    void draw_bar(int steps) const override;

    std::unique_ptr<StatusWindow> window_;
};

} // namespace kadoru
