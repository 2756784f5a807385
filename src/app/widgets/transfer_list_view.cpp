#include "app/widgets/transfer_list_view.h"

#include "platform/guard.h"
#include "platform/widgets/list_rows_model.h"
#include "platform/widgets/qt_child.h"
#include "platform/widgets/qt_text.h"
#include "platform/window_texts.h"

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

TransferListView::TransferListView(const TransferList& list, TransferListActions& actions,
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

    for (const MenuEntry& entry : transfer_list_menu(actions_, list_)) {
        if (entry.separator_before) {
            auto* separator = child<QAction>(this);
            separator->setSeparator(true);
            addAction(separator);
        }
        auto* action = child<QAction>(this, qt_text(entry.text));
        action->setObjectName(qt_text(entry.name));
        connect(action, &QAction::triggered, this,
                [this, command = entry.command] { run(command); });
        addAction(action);
    }
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

void TransferListView::take_selection() {
    if (drawing_)
        return;
    const QScopedValueRollback writing(writing_, true);
    std::vector<int> rows;
    for (const auto& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    guarded(errors_, [&] { actions_.list_rows_selected(rows); });
}

void TransferListView::take_current(const QModelIndex& current) {
    if (drawing_)
        return;
    const QScopedValueRollback writing(writing_, true);
    const int row = current.isValid() ? current.row() : -1;
    guarded(errors_, [&] { actions_.list_current_row(row); });
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

void TransferListView::show_menu_enabled() {
    for (const MenuEntry& entry : transfer_list_menu(actions_, list_))
        findChild<QAction*>(qt_text(entry.name))->setEnabled(entry.enabled);
}

void TransferListView::contextMenuEvent(QContextMenuEvent* event) {
    show_menu_enabled();
    QMenu::exec(actions(), event->globalPos(), nullptr, this);
    event->accept();
}

void TransferListView::choose_playlist_to_add() {
    namespace wt = window_text;
    const QString path =
        QFileDialog::getOpenFileName(this, qt_text(wt::add_playlist_title), playlist_folder_,
                                     qt_text(std::string(wt::playlist_filter_name) + " (" +
                                             std::string(wt::open_playlist_patterns) + ")"));
    if (path.isEmpty())
        return;
    playlist_folder_ = QFileInfo(path).absolutePath();
    guarded(errors_, [&] { actions_.add_playlist(native_path(path)); });
}

void TransferListView::choose_playlist_to_save() {
    namespace wt = window_text;
    QFileDialog dialog(this, qt_text(wt::save_playlist_title), playlist_folder_,
                       qt_text(std::string(wt::playlist_filter_name) + " (" +
                               std::string(wt::save_playlist_patterns) + ")"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(qt_text(wt::save_playlist_extension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    playlist_folder_ = QFileInfo(path).absolutePath();
    guarded(errors_, [&] { actions_.save_playlist(native_path(path)); });
}

void TransferListView::run(MenuCommand command) {
    switch (command) {
    case MenuCommand::add_playlist:
        choose_playlist_to_add();
        return;
    case MenuCommand::save_playlist:
        choose_playlist_to_save();
        return;
    case MenuCommand::sort_by_name:
        guarded(errors_, [this] { actions_.sort_by_name(); });
        return;
    case MenuCommand::sort_by_track:
        guarded(errors_, [this] { actions_.sort_by_track(); });
        return;
    case MenuCommand::shuffle:
        guarded(errors_, [this] { actions_.shuffle(); });
        return;
    default:
        return;
    }
}

} // namespace kadoru
