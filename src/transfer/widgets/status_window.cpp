#include "transfer/widgets/status_window.h"

#include "platform/widgets/qt_child.h"
#include "platform/widgets/qt_place.h"
#include "platform/widgets/qt_text.h"
#include "platform/window_texts.h"
#include "transfer/progress.h"

#include <QLabel>
#include <QProgressBar>

namespace kadoru {

StatusWindow::StatusWindow()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      label1_(child<QLabel>(this, qt_text(window_text::progress_text))),
      progress_bar1_(child<QProgressBar>(this)) {
    setObjectName(QStringLiteral("status"));
    setWindowTitle(qt_text(window_text::progress_title));
    // Closing the window during a run must never end the program or the run.
    setAttribute(Qt::WA_QuitOnClose, false);
    setGeometry(qt_rect(progress_client_area));
    setFixedSize(progress_client_area.width, progress_client_area.height);

    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setGeometry(qt_rect(progress_text_place));

    progress_bar1_->setObjectName(QStringLiteral("ProgressBar1"));
    progress_bar1_->setGeometry(qt_rect(progress_bar_place));
    progress_bar1_->setTextVisible(false);
    progress_bar1_->setAccessibleName(label1_->text());
}

StatusWindow::~StatusWindow() = default;

} // namespace kadoru
