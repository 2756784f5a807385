#include "transfer/widgets/status_window.h"

#include "platform/widgets/qt_child.h"
#include "platform/widgets/qt_text.h"
#include "platform/window_texts.h"

#include <QLabel>
#include <QProgressBar>

namespace kadoru {

namespace {

// The layout in pixels at 96 dots per inch: client area, then each control's place.
constexpr QRect design_client_area(235, 258, 312, 73);
constexpr QRect label1_place(16, 16, 281, 17);
constexpr QRect progress_bar1_place(8, 40, 297, 17);

} // namespace

StatusWindow::StatusWindow()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      label1_(child<QLabel>(this, qt_text(window_text::progress_text))),
      progress_bar1_(child<QProgressBar>(this)) {
    setObjectName(QStringLiteral("status"));
    setWindowTitle(qt_text(window_text::progress_title));
    // Closing the window during a run must never end the program or the run.
    setAttribute(Qt::WA_QuitOnClose, false);
    setGeometry(design_client_area);
    setFixedSize(design_client_area.size());

    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setGeometry(label1_place);

    progress_bar1_->setObjectName(QStringLiteral("ProgressBar1"));
    progress_bar1_->setGeometry(progress_bar1_place);
    progress_bar1_->setTextVisible(false);
    progress_bar1_->setAccessibleName(label1_->text());
}

StatusWindow::~StatusWindow() = default;

} // namespace kadoru
