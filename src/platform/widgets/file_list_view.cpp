#include "platform/widgets/file_list_view.h"

#include "platform/guard.h"
#include "platform/widgets/list_rows_model.h"
#include "platform/widgets/qt_child.h"
#include "platform/widgets/qt_text.h"
#include "platform/widgets/redraw_on.h"

#include <vector>

#include <QMouseEvent>
#include <QScopedValueRollback>

namespace kadoru {

FileListView::FileListView(const FileList& files, ListIntents& input, MessageBox& errors,
                           QWidget* parent)
    : QListView(parent), files_(files), input_(input), errors_(errors),
      rows_(child<ListRowsModel>(
          this, [&files] { return files.count(); },
          [&files](int i) { return qt_text(files.row(i)); })) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setModel(rows_);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FileListView::take_selection);
    redraw_on(files_.changed, this, &FileListView::redraw);
    redraw();
}

void FileListView::redraw() {
    const QScopedValueRollback drawing(drawing_, true);
    // Every change of the file list is a new listing: nothing of the old one stays.
    rows_->reset();
    show_selection(
        *selectionModel(), [this](int i) { return files_.selected(i); }, -1);
}

void FileListView::take_selection() {
    if (drawing_)
        return;
    const std::vector<int> rows = selected_rows(*selectionModel());
    guarded(errors_, [&] { input_.file_rows_selected(rows); });
}

void FileListView::mousePressEvent(QMouseEvent* event) {
    guarded(errors_, [this] { input_.file_pressed(); });
    QListView::mousePressEvent(event);
}

void FileListView::mouseReleaseEvent(QMouseEvent* event) {
    QListView::mouseReleaseEvent(event);
    guarded(errors_, [this] { input_.file_released(); });
}

void FileListView::mouseDoubleClickEvent(QMouseEvent* event) {
    guarded(errors_, [this] { input_.file_pressed(); });
    QListView::mouseDoubleClickEvent(event);
    const bool on_row = indexAt(event->position().toPoint()).isValid();
    guarded(errors_, [&] { input_.file_double_clicked(on_row); });
}

} // namespace kadoru
