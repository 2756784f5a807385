#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace kadoru {

// The progress window "status": a caption, one line of text and the bar. It has no
// behaviour of its own; the run drives it through WindowProgress. Closing it only
// hides it.
class StatusWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatusWindow)

public:
    StatusWindow();
    ~StatusWindow() override;

    QLabel* label1() const { return label1_; }
    QProgressBar* progress_bar1() const { return progress_bar1_; }

private:
    QLabel* label1_;
    QProgressBar* progress_bar1_;
};

} // namespace kadoru
