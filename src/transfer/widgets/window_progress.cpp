#include "transfer/widgets/window_progress.h"

#include "transfer/widgets/status_window.h"

#include <cmath>

#include <QProgressBar>

namespace kadoru {

namespace {

// The bar takes whole numbers; the fraction is drawn at this resolution.
constexpr int bar_steps = 10000;

} // namespace

WindowProgress::WindowProgress() = default;
WindowProgress::~WindowProgress() = default;

void WindowProgress::show() {
    if (!window_) {
        window_ = std::make_unique<StatusWindow>();
        window_->progress_bar1()->setRange(0, bar_steps);
        redraw();
    }
    // Not modal: the run goes on at once.
    window_->show();
}

void WindowProgress::hide() {
    if (window_)
        window_->hide();
}

bool WindowProgress::is_shown() const {
    return window_ && window_->isVisible();
}

void WindowProgress::draw_fraction(float fraction) const {
    if (window_)
        window_->progress_bar1()->setValue(static_cast<int>(std::lround(fraction * bar_steps)));
}

} // namespace kadoru
