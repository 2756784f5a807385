#pragma once

#include "transfer/progress.h"

#include <memory>

namespace kadoru {

class StatusWindow;

// The progress port on the real window. The window is created the first time it is
// shown and then kept (this object owns it; it has no parent or owner window).
// Min, Max and Value are kept here as the run set them and drawn onto the bar.
class WindowProgress final : public Progress {
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
    void set_min(float min) override;
    void set_max(float max) override;
    float value() const override { return value_; }
    void set_value(float value) override;

    // The window, or nullptr before the first show.
    StatusWindow* window() const { return window_.get(); }

private:
    void draw_bar() const;

    std::unique_ptr<StatusWindow> window_;
    float min_ = 0;
    float max_ = 100;
    float value_ = 0;
};

} // namespace kadoru
