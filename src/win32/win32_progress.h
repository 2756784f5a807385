#pragma once

#include "transfer/progress.h"

#include <memory>

namespace kadoru {

class MessageBox;
class StatusWindow;

// The progress port over the Win32 progress window: the window is made the first
// time it is shown and kept, hidden, between runs; it ends with this object.
class Win32Progress final : public Progress {
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
    void set_min(float min) override;
    void set_max(float max) override;
    float value() const override { return value_; }
    void set_value(float value) override;

    // The window, once shown; nullptr before.
    const StatusWindow* window() const { return window_.get(); }

private:
    void draw_bar() const;

    MessageBox& errors_;
    std::unique_ptr<StatusWindow> window_;
    float min_ = 0;
    float max_ = 100;
    float value_ = 0;
};

} // namespace kadoru
