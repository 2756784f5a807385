#include "transfer_list/widgets/arranged_list_view.h"

#include "platform/guard.h"
#include "platform/widgets/list_rows_model.h"
#include "platform/widgets/qt_child.h"
#include "platform/widgets/qt_text.h"
#include "platform/widgets/redraw_on.h"

#include <vector>

#include <QCoreApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QScopedValueRollback>

namespace kadoru {

namespace {

const QString rows_type = QStringLiteral("application/x-kadoru-list-rows");

} // namespace

ArrangedListView::ArrangedListView(const TransferList& list, ArrangedListIntents& intents,
                                   MessageBox& errors, QWidget* parent)
    : QListView(parent), list_(list), intents_(intents), errors_(errors),
      rows_(child<ListRowsModel>(
          this, [&list] { return list.count(); },
          [&list](int i) { return qt_text(list.row(i).name); })) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    rows_->accept_drops({rows_type, QStringLiteral("text/uri-list")});
    setModel(rows_);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ArrangedListView::take_selection);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &ArrangedListView::take_current);
    redraw_on(list_.changed, this, &ArrangedListView::redraw);
    redraw();
}

void ArrangedListView::redraw() {
    if (writing_)
        return;
    const QScopedValueRollback drawing(drawing_, true);
    rows_->refresh();
    show_selection(
        *selectionModel(), [this](int i) { return list_.selected(i); }, list_.list_index());
}

void ArrangedListView::focusInEvent(QFocusEvent* event) {
    // Qt makes the first row current when the list takes the focus; the list's
    // current row is the one the user moves to, so none until then.
    const QScopedValueRollback drawing(drawing_, true);
    QListView::focusInEvent(event);
    if (list_.list_index() < 0)
        selectionModel()->clearCurrentIndex();
}

void ArrangedListView::take_selection() {
    if (drawing_)
        return;
    const QScopedValueRollback writing(writing_, true);
    const std::vector<int> rows = selected_rows(*selectionModel());
    guarded(errors_, [&] { intents_.list_rows_selected(rows); });
}

void ArrangedListView::take_current(const QModelIndex& current) {
    if (drawing_)
        return;
    const QScopedValueRollback writing(writing_, true);
    const int row = current.isValid() ? current.row() : -1;
    guarded(errors_, [&] { intents_.list_current_row(row); });
}

QByteArray ArrangedListView::drag_token() const {
    return QByteArray::number(QCoreApplication::applicationPid()) + ':' +
           QByteArray::number(reinterpret_cast<quintptr>(this));
}

std::unique_ptr<QMimeData> ArrangedListView::dragged_rows() const {
    auto data = std::make_unique<QMimeData>();
    data->setData(rows_type, drag_token());
    return data;
}

bool ArrangedListView::takes(const QDropEvent& event) const {
    if (!intents_.list_editable())
        return false;
    if (event.mimeData()->hasFormat(rows_type))
        return event.mimeData()->data(rows_type) == drag_token() &&
               (event.possibleActions() & Qt::MoveAction) != 0;
    return takes_other(event);
}

void ArrangedListView::startDrag(Qt::DropActions /*supported*/) {
    if (!intents_.list_editable() || selectionModel()->selectedRows().isEmpty())
        return;
    auto* drag = child<QDrag>(this);
    drag->setMimeData(dragged_rows().release()); // the drag owns its data
    drag->exec(Qt::MoveAction);
}

void ArrangedListView::accept_drag(QDragMoveEvent& event) {
    // Rows are moved; whatever else is taken is copied into the list, never moved away.
    event.setDropAction(event.mimeData()->hasFormat(rows_type) ? Qt::MoveAction : Qt::CopyAction);
    event.accept();
}

void ArrangedListView::dragEnterEvent(QDragEnterEvent* event) {
    if (!takes(*event)) {
        event->ignore();
        return;
    }
    QListView::dragEnterEvent(event); // the view's own state for scrolling and drawing
    accept_drag(*event);
}

void ArrangedListView::dragMoveEvent(QDragMoveEvent* event) {
    if (!takes(*event)) {
        event->ignore();
        return;
    }
    QListView::dragMoveEvent(event); // draws the place between the rows
    accept_drag(*event);
}

void ArrangedListView::dropEvent(QDropEvent* event) {
    setState(NoState);
    viewport()->update();
    if (!takes(*event)) {
        event->ignore();
        return;
    }
    if (!event->mimeData()->hasFormat(rows_type)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        drop_other(*event);
        return;
    }
    const QPoint at = event->position().toPoint();
    const QModelIndex index = indexAt(at);
    const int to =
        drop_row(index.isValid() ? index.row() : -1,
                 index.isValid() && at.y() < visualRect(index).center().y(), list_.count());
    event->setDropAction(Qt::MoveAction);
    event->accept();
    guarded(errors_, [&] { intents_.move_selected_to(to); });
}

} // namespace kadoru
