#pragma once

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

#include <QAbstractItemView>
#include <QApplication>
#include <QTest>
#include <QWidget>

namespace kadoru::test {

// Shows a top-level widget and makes it the active window, so that focus and
// keys reach it on the offscreen platform without waiting on the clock.
inline void show_active(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(window.isActiveWindow());
}

// Clicks a row of a list view as the user would, with the keys held.
inline void click_row(QAbstractItemView& view, int row,
                      Qt::KeyboardModifiers keys = Qt::NoModifier) {
    const QRect place = view.visualRect(view.model()->index(row, 0));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, keys, place.center());
}

// The events a double-click delivers to a widget: a click, then a second press
// followed by the double-click event, then its release.
inline void double_click_row(QAbstractItemView& view, int row) {
    const QPoint at = view.visualRect(view.model()->index(row, 0)).center();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mousePress(view.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

inline std::vector<int> selected_rows(const QAbstractItemView& view) {
    std::vector<int> rows;
    for (const auto& index : view.selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace kadoru::test
