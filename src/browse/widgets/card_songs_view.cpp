#include "browse/widgets/card_songs_view.h"

#include "platform/widgets/list_rows_model.h"
#include "platform/widgets/qt_child.h"
#include "platform/widgets/qt_text.h"

#include <memory>
#include <utility>

#include <QCoreApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QScopedValueRollback>

namespace kadoru {

namespace {

const QString songs_type = QStringLiteral("application/x-kadoru-card-songs");

} // namespace

CardSongsView::CardSongsView(TransferList& songs, std::function<void(int)> move_to, QWidget* parent)
    : QListView(parent), songs_(songs), move_to_(std::move(move_to)),
      rows_(child<ListRowsModel>(
          this, [&songs] { return songs.count(); },
          [&songs](int i) { return qt_text(songs.row(i).name); })) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    rows_->accept_drops({songs_type});
    setModel(rows_);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDropIndicatorShown(true);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected, const QItemSelection& deselected) {
                if (drawing_)
                    return;
                const QScopedValueRollback writing(writing_, true);
                for (const auto& index : deselected.indexes())
                    if (index.row() < songs_.count())
                        songs_.set_selected(index.row(), false);
                for (const auto& index : selected.indexes())
                    if (index.row() < songs_.count())
                        songs_.set_selected(index.row(), true);
            });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                const QScopedValueRollback writing(writing_, true);
                if (!drawing_)
                    songs_.set_list_index(
                        current.isValid() && current.row() < songs_.count() ? current.row() : -1);
            });
    songs_.changed.connect([view = QPointer(this)] {
        if (view)
            view->redraw();
    });
    redraw();
}

void CardSongsView::redraw() {
    if (writing_)
        return;
    const QScopedValueRollback drawing(drawing_, true);
    rows_->refresh();
    show_selection(
        *selectionModel(), [this](int i) { return songs_.selected(i); }, songs_.list_index());
}

// A drag carries which process's view it left, so no other list's rows are taken.
bool CardSongsView::takes(const QDropEvent& event) const {
    return isEnabled() && event.mimeData()->data(songs_type) == drag_token();
}

QByteArray CardSongsView::drag_token() const {
    return QByteArray::number(QCoreApplication::applicationPid()) + ':' +
           QByteArray::number(reinterpret_cast<quintptr>(this));
}

void CardSongsView::startDrag(Qt::DropActions /*supported*/) {
    if (selectionModel()->selectedRows().isEmpty())
        return;
    auto* drag = child<QDrag>(this);
    auto data = std::make_unique<QMimeData>();
    data->setData(songs_type, drag_token());
    drag->setMimeData(data.release()); // the drag owns its data
    drag->exec(Qt::MoveAction);
}

void CardSongsView::dragEnterEvent(QDragEnterEvent* event) {
    if (!takes(*event)) {
        event->ignore();
        return;
    }
    QListView::dragEnterEvent(event);
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void CardSongsView::dragMoveEvent(QDragMoveEvent* event) {
    if (!takes(*event)) {
        event->ignore();
        return;
    }
    QListView::dragMoveEvent(event);
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void CardSongsView::dropEvent(QDropEvent* event) {
    setState(NoState);
    viewport()->update();
    if (!takes(*event)) {
        event->ignore();
        return;
    }
    const QPoint at = event->position().toPoint();
    const QModelIndex index = indexAt(at);
    const int to = !index.isValid()                          ? songs_.count()
                   : at.y() < visualRect(index).center().y() ? index.row()
                                                             : index.row() + 1;
    event->setDropAction(Qt::MoveAction);
    event->accept();
    move_to_(to);
}

} // namespace kadoru
