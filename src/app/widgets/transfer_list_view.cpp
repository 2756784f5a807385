#include "app/widgets/transfer_list_view.h"

#include "platform/widgets/guard.h"
#include "platform/widgets/list_rows_model.h"
#include "platform/widgets/qt_child.h"
#include "platform/widgets/qt_text.h"

#include <QPointer>
#include <QScopedValueRollback>

namespace kadoru {

TransferListView::TransferListView(TransferList& list, MessageBox& errors, QWidget* parent)
    : QListView(parent), list_(list), errors_(errors),
      rows_(child<ListRowsModel>(
          this, [&list] { return list.count(); },
          [&list](int i) { return qt_text(list.row(i).name); })) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setModel(rows_);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TransferListView::take_selection);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TransferListView::take_current);
    list_.changed.connect([view = QPointer(this)] {
        if (view)
            view->redraw();
    });
    redraw();
}

void TransferListView::redraw() {
    if (writing_)
        return;
    const QScopedValueRollback drawing(drawing_, true);
    rows_->refresh();
    show_selection(
        *selectionModel(), [this](int i) { return list_.selected(i); }, list_.list_index());
}

void TransferListView::focusInEvent(QFocusEvent* event) {
    // Qt makes the first row current when the list takes the focus; the list's
    // current row is the one the user moves to, so none until then.
    const QScopedValueRollback drawing(drawing_, true);
    QListView::focusInEvent(event);
    if (list_.list_index() < 0)
        selectionModel()->clearCurrentIndex();
}

void TransferListView::take_selection(const QItemSelection& selected,
                                      const QItemSelection& deselected) {
    if (drawing_)
        return;
    const QScopedValueRollback writing(writing_, true);
    guarded(errors_, [&] {
        for (const auto& index : deselected.indexes())
            if (index.row() < list_.count())
                list_.set_selected(index.row(), false);
        for (const auto& index : selected.indexes())
            if (index.row() < list_.count())
                list_.set_selected(index.row(), true);
    });
}

void TransferListView::take_current(const QModelIndex& current) {
    if (drawing_)
        return;
    const QScopedValueRollback writing(writing_, true);
    const int row = current.isValid() && current.row() < list_.count() ? current.row() : -1;
    guarded(errors_, [&] { list_.set_list_index(row); });
}

} // namespace kadoru
