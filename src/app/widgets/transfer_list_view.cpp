#include "app/widgets/transfer_list_view.h"

#include "platform/guard.h"
#include "platform/widgets/list_rows_model.h"
#include "platform/widgets/qt_child.h"
#include "platform/widgets/qt_text.h"

#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDrag>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QScopedValueRollback>
#include <QUrl>

namespace kadoru {

namespace {

const QString rows_type = QStringLiteral("application/x-kadoru-list-rows");
const QString uri_list_type = QStringLiteral("text/uri-list");

std::string native_path(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

TransferListView::TransferListView(TransferList& list, TransferListActions& actions,
                                   MessageBox& errors, QWidget* parent)
    : QListView(parent), list_(list), actions_(actions), errors_(errors),
      rows_(child<ListRowsModel>(
          this, [&list] { return list.count(); },
          [&list](int i) { return qt_text(list.row(i).name); })) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    rows_->accept_drops({rows_type, uri_list_type});
    setModel(rows_);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TransferListView::take_selection);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TransferListView::take_current);
    list_.changed.connect([view = QPointer(this)] {
        if (view)
            view->redraw();
    });

    add_playlist_ = menu_action("add_playlist", "プレイリストを追加…",
                                &TransferListView::choose_playlist_to_add);
    save_playlist_ = menu_action("save_playlist", "プレイリストとして保存…",
                                 &TransferListView::choose_playlist_to_save);
    auto* separator = child<QAction>(this);
    separator->setSeparator(true);
    addAction(separator);
    sort_by_name_ =
        menu_action("sort_by_name", "名前順に並べ替え", &TransferListView::sort_by_name);
    sort_by_track_ =
        menu_action("sort_by_track", "トラック番号順に並べ替え", &TransferListView::sort_by_track);
    shuffle_ = menu_action("shuffle", "シャッフル", &TransferListView::shuffle);
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

// Drag and drop.

QByteArray TransferListView::drag_token() const {
    return QByteArray::number(QCoreApplication::applicationPid()) + ':' +
           QByteArray::number(reinterpret_cast<quintptr>(this));
}

std::unique_ptr<QMimeData> TransferListView::dragged_rows() const {
    auto data = std::make_unique<QMimeData>();
    data->setData(rows_type, drag_token());
    return data;
}

bool TransferListView::takes(const QDropEvent& event) const {
    if (!actions_.list_editable())
        return false;
    const QMimeData& data = *event.mimeData();
    if (data.hasFormat(rows_type))
        return data.data(rows_type) == drag_token() &&
               (event.possibleActions() & Qt::MoveAction) != 0;
    // Files are copied into the list, never moved: the file manager must keep them.
    return data.hasUrls() && (event.possibleActions() & Qt::CopyAction) != 0;
}

void TransferListView::startDrag(Qt::DropActions /*supported*/) {
    if (!actions_.list_editable() || selectionModel()->selectedRows().isEmpty())
        return;
    auto* drag = child<QDrag>(this);
    drag->setMimeData(dragged_rows().release()); // the drag owns its data
    drag->exec(Qt::MoveAction);
}

void TransferListView::dragEnterEvent(QDragEnterEvent* event) {
    if (!takes(*event)) {
        event->ignore();
        return;
    }
    QListView::dragEnterEvent(event); // the view's own state for scrolling and drawing
    event->setDropAction(event->mimeData()->hasFormat(rows_type) ? Qt::MoveAction : Qt::CopyAction);
    event->accept();
}

void TransferListView::dragMoveEvent(QDragMoveEvent* event) {
    if (!takes(*event)) {
        event->ignore();
        return;
    }
    QListView::dragMoveEvent(event); // draws the place between the rows
    event->setDropAction(event->mimeData()->hasFormat(rows_type) ? Qt::MoveAction : Qt::CopyAction);
    event->accept();
}

int TransferListView::drop_row(QPoint at) const {
    const QModelIndex index = indexAt(at);
    if (!index.isValid())
        return list_.count();
    return at.y() < visualRect(index).center().y() ? index.row() : index.row() + 1;
}

void TransferListView::dropEvent(QDropEvent* event) {
    setState(NoState);
    viewport()->update();
    if (!takes(*event)) {
        event->ignore();
        return;
    }
    const QMimeData& data = *event->mimeData();
    if (data.hasFormat(rows_type)) {
        const int to = drop_row(event->position().toPoint());
        event->setDropAction(Qt::MoveAction);
        event->accept();
        guarded(errors_, [&] { actions_.move_selected_to(to); });
        return;
    }
    // A file on another host (file://server/...) is no file of this machine: it goes as
    // an empty path, which the list counts among what it could not add.
    std::vector<std::string> paths;
    for (const QUrl& url : data.urls()) {
        const bool here = url.isLocalFile() &&
                          (url.host().isEmpty() || url.host() == QStringLiteral("localhost"));
        paths.push_back(here ? native_path(url.toLocalFile()) : std::string());
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // Later, once the file manager has its answer: adding may show a message box, and
    // the drag must not wait on it.
    QMetaObject::invokeMethod(
        this, [this, paths] { guarded(errors_, [&] { actions_.add_dropped(paths); }); },
        Qt::QueuedConnection);
}

// The context menu.

QAction* TransferListView::menu_action(const char* name, const char* text,
                                       void (TransferListView::*run)()) {
    auto* action = child<QAction>(this, qt_text(text));
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, run);
    addAction(action);
    return action;
}

void TransferListView::show_menu_enabled() {
    const bool editable = actions_.list_editable();
    const bool rows = list_.count() > 0;
    add_playlist_->setEnabled(editable);
    save_playlist_->setEnabled(editable && rows);
    sort_by_name_->setEnabled(editable && rows);
    sort_by_track_->setEnabled(editable && rows);
    shuffle_->setEnabled(editable && rows);
}

void TransferListView::contextMenuEvent(QContextMenuEvent* event) {
    show_menu_enabled();
    QMenu::exec(actions(), event->globalPos(), nullptr, this);
    event->accept();
}

void TransferListView::choose_playlist_to_add() {
    const QString path =
        QFileDialog::getOpenFileName(this, qt_text("プレイリストを追加"), playlist_folder_,
                                     qt_text("プレイリスト (*.m3u *.m3u8 *.M3U *.M3U8)"));
    if (path.isEmpty())
        return;
    playlist_folder_ = QFileInfo(path).absolutePath();
    guarded(errors_, [&] { actions_.add_playlist(native_path(path)); });
}

void TransferListView::choose_playlist_to_save() {
    QFileDialog dialog(this, qt_text("プレイリストとして保存"), playlist_folder_,
                       qt_text("プレイリスト (*.m3u8)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("m3u8"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    playlist_folder_ = QFileInfo(path).absolutePath();
    guarded(errors_, [&] { actions_.save_playlist(native_path(path)); });
}

void TransferListView::sort_by_name() {
    guarded(errors_, [this] { actions_.sort_by_name(); });
}

void TransferListView::sort_by_track() {
    guarded(errors_, [this] { actions_.sort_by_track(); });
}

void TransferListView::shuffle() {
    guarded(errors_, [this] { actions_.shuffle(); });
}

} // namespace kadoru
