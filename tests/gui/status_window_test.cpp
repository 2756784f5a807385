#include "platform/widgets/qt_place.h"
#include "transfer/widgets/status_window.h"
#include "transfer/widgets/window_progress.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>

namespace kadoru {
namespace {

TEST(StatusWindow, IsCreatedOnFirstShowWithItsDesignAndNoOwner) {
    WindowProgress progress;
    EXPECT_EQ(progress.window(), nullptr);
    EXPECT_FALSE(progress.is_shown());
    progress.hide(); // nothing to hide yet

    progress.show();
    const StatusWindow* window = progress.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(progress.is_shown());
    EXPECT_EQ(window->objectName(), QStringLiteral("status"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("MP3データ転送中"));
    EXPECT_EQ(window->parentWidget(), nullptr);
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->size(), QSize(progress_client_area.width, progress_client_area.height));
    EXPECT_EQ(window->label1()->objectName(), QStringLiteral("Label1"));
    EXPECT_EQ(window->label1()->text(), QStringLiteral("処理中です。しばらくお待ちください。"));
    EXPECT_EQ(window->label1()->geometry(), qt_rect(progress_text_place));
    EXPECT_EQ(window->progress_bar1()->objectName(), QStringLiteral("ProgressBar1"));
    EXPECT_EQ(window->progress_bar1()->geometry(), qt_rect(progress_bar_place));
    EXPECT_FALSE(window->progress_bar1()->accessibleName().isEmpty());
}

// Where the bar stands, as a fraction of its length.
double filled(const WindowProgress& progress) {
    const QProgressBar* bar = progress.window()->progress_bar1();
    return static_cast<double>(bar->value() - bar->minimum()) / (bar->maximum() - bar->minimum());
}

TEST(StatusWindow, DrawsMinMaxAndValueOntoTheBar) {
    WindowProgress progress;
    progress.show();
    EXPECT_DOUBLE_EQ(filled(progress), 0); // empty when created
    progress.set_min(0);
    progress.set_max(4);
    for (int k = 1; k <= 4; ++k) {
        progress.set_value(progress.value() + 1);
        EXPECT_FLOAT_EQ(progress.value(), static_cast<float>(k));
        EXPECT_DOUBLE_EQ(filled(progress), k / 4.0);
    }
    progress.set_max(3);
    EXPECT_DOUBLE_EQ(filled(progress), 1); // never beyond the end
}

TEST(StatusWindow, IsKeptBetweenRunsAndComesBackAfterTheUserClosedIt) {
    WindowProgress progress;
    progress.show();
    const StatusWindow* first = progress.window();
    progress.set_max(5);
    progress.set_value(2);

    // The user closes it during a run: it is only hidden, and the run's changes land.
    progress.window()->close();
    EXPECT_FALSE(progress.is_shown());
    progress.set_value(3);
    EXPECT_FLOAT_EQ(progress.value(), 3);
    progress.set_value(0);
    progress.hide();

    progress.show();
    EXPECT_EQ(progress.window(), first);
    EXPECT_TRUE(progress.is_shown());
    EXPECT_DOUBLE_EQ(filled(progress), 0);
    EXPECT_EQ(progress.window()->size(), QSize(312, 73));
}

} // namespace
} // namespace kadoru
