#pragma once

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include <QAbstractItemView>
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
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

// The first column's texts, as the view shows them.
inline std::vector<std::string> shown_rows(const QAbstractItemView& view) {
    std::vector<std::string> texts;
    for (int i = 0; i < view.model()->rowCount(); ++i)
        texts.push_back(view.model()->index(i, 0).data().toString().toStdString());
    return texts;
}

// A point in the upper or lower half of a row; -1: below the rows.
inline QPoint upper_half(const QAbstractItemView& view, int row) {
    if (row < 0)
        return {5, view.viewport()->height() - 2};
    return view.visualRect(view.model()->index(row, 0)).topLeft() + QPoint(5, 2);
}
inline QPoint lower_half(const QAbstractItemView& view, int row) {
    return view.visualRect(view.model()->index(row, 0)).bottomLeft() + QPoint(5, -2);
}

// Plays a drag over the view and its drop at a point of its rows: enter, move, drop,
// then the events the drop left for later. Returns whether the drop was taken.
inline bool drop_on(QAbstractItemView& view, const QMimeData& data, QPoint at,
                    Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction) {
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &enter);
    QDragMoveEvent move(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &move);
    if (!move.isAccepted())
        return false;
    QDropEvent drop(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &drop);
    QCoreApplication::processEvents();
    return drop.isAccepted();
}

} // namespace kadoru::test
