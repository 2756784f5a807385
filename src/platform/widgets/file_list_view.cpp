#include "platform/widgets/file_list_view.h"

#include "platform/guard.h"
#include "platform/widgets/list_rows_model.h"
#include "platform/widgets/qt_child.h"
#include "platform/widgets/qt_text.h"

#include <QMouseEvent>
#include <QPointer>
#include <QScopedValueRollback>

namespace kadoru {

FileListView::FileListView(FileList& files, MessageBox& errors, QWidget* parent)
    : QListView(parent), files_(files), errors_(errors),
      rows_(child<ListRowsModel>(
          this, [&files] { return files.count(); },
          [&files](int i) { return qt_text(files.row(i)); })) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setModel(rows_);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FileListView::take_selection);
    files_.changed.connect([view = QPointer(this)] {
        if (view)
            view->redraw();
    });
    redraw();
}

void FileListView::redraw() {
    const QScopedValueRollback drawing(drawing_, true);
    // Every change of the file list is a new listing: nothing of the old one stays.
    rows_->reset();
    show_selection(
        *selectionModel(), [this](int i) { return files_.selected(i); }, -1);
}

void FileListView::take_selection(const QItemSelection& selected,
                                  const QItemSelection& deselected) {
    if (drawing_)
        return;
    guarded(errors_, [&] {
        for (const auto& index : deselected.indexes())
            if (index.row() < files_.count())
                files_.set_selected(index.row(), false);
        for (const auto& index : selected.indexes())
            if (index.row() < files_.count())
                files_.set_selected(index.row(), true);
    });
    if (!pressed_)
        click();
}

void FileListView::click() {
    guarded(errors_, [this] {
        if (files_.on_click)
            files_.on_click();
    });
}

void FileListView::mousePressEvent(QMouseEvent* event) {
    pressed_ = true;
    release_ends_double_click_ = false;
    QListView::mousePressEvent(event);
}

void FileListView::mouseReleaseEvent(QMouseEvent* event) {
    QListView::mouseReleaseEvent(event);
    if (!pressed_)
        return;
    pressed_ = false;
    if (release_ends_double_click_)
        release_ends_double_click_ = false;
    else
        click();
}

void FileListView::mouseDoubleClickEvent(QMouseEvent* event) {
    pressed_ = true;
    QListView::mouseDoubleClickEvent(event);
    release_ends_double_click_ = true;
    click();
    if (!indexAt(event->position().toPoint()).isValid())
        return;
    guarded(errors_, [this] {
        if (files_.on_double_click)
            files_.on_double_click();
    });
}

} // namespace kadoru
