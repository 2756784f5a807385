#include "transfer/widgets/window_progress.h"

#include "transfer/widgets/status_window.h"

#include <QProgressBar>

namespace kadoru {

WindowProgress::WindowProgress() = default;
WindowProgress::~WindowProgress() = default;

void WindowProgress::show() {
    if (!window_) {
        window_ = std::make_unique<StatusWindow>();
        window_->progress_bar1()->setRange(0, progress_bar_steps);
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

void WindowProgress::draw_bar(int steps) const {
    if (window_)
        window_->progress_bar1()->setValue(steps);
}

} // namespace kadoru
