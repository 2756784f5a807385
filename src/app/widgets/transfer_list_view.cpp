#include "app/widgets/transfer_list_view.h"

#include "platform/guard.h"
#include "platform/widgets/qt_child.h"
#include "platform/widgets/qt_text.h"
#include "platform/window_texts.h"

#include <string>
#include <vector>

#include <QAction>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

namespace kadoru {

namespace {

std::string native_path(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// A file dialog's filter of playlists, as Qt writes one: "name (patterns)".
QString playlist_filter(std::string_view patterns) {
    return qt_text(window_text::playlist_filter_name) + QStringLiteral(" (") + qt_text(patterns) +
           QLatin1Char(')');
}

} // namespace

TransferListView::TransferListView(const TransferList& list, TransferListActions& actions,
                                   MessageBox& errors, QWidget* parent)
    : ArrangedListView(list, actions, errors, parent), actions_(actions) {
    for (const MenuEntry& entry : transfer_list_menu(actions_, list)) {
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
}

bool TransferListView::takes_other(const QDropEvent& event) const {
    // Files are copied into the list, never moved: the file manager must keep them.
    return event.mimeData()->hasUrls() && (event.possibleActions() & Qt::CopyAction) != 0;
}

void TransferListView::drop_other(const QDropEvent& event) {
    // A file on another host (file://server/...) is no file of this machine: it goes as
    // an empty path, which the list counts among what it could not add.
    std::vector<std::string> paths;
    for (const QUrl& url : event.mimeData()->urls()) {
        const bool here = url.isLocalFile() &&
                          (url.host().isEmpty() || url.host() == QStringLiteral("localhost"));
        paths.push_back(here ? native_path(url.toLocalFile()) : std::string());
    }
    // Later, once the file manager has its answer: adding may show a message box, and
    // the drag must not wait on it.
    QMetaObject::invokeMethod(
        this, [this, paths] { guarded(errors(), [&] { actions_.add_dropped(paths); }); },
        Qt::QueuedConnection);
}

// The context menu.

void TransferListView::show_menu_enabled() {
    for (const MenuEntry& entry : transfer_list_menu(actions_, list()))
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
                                     playlist_filter(wt::open_playlist_patterns));
    if (path.isEmpty())
        return;
    playlist_folder_ = QFileInfo(path).absolutePath();
    guarded(errors(), [&] { actions_.add_playlist(native_path(path)); });
}

void TransferListView::choose_playlist_to_save() {
    namespace wt = window_text;
    QFileDialog dialog(this, qt_text(wt::save_playlist_title), playlist_folder_,
                       playlist_filter(wt::save_playlist_patterns));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(qt_text(wt::save_playlist_extension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    playlist_folder_ = QFileInfo(path).absolutePath();
    guarded(errors(), [&] { actions_.save_playlist(native_path(path)); });
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
        guarded(errors(), [this] { actions_.sort_by_name(); });
        return;
    case MenuCommand::sort_by_track:
        guarded(errors(), [this] { actions_.sort_by_track(); });
        return;
    case MenuCommand::shuffle:
        guarded(errors(), [this] { actions_.shuffle(); });
        return;
    default:
        return;
    }
}

} // namespace kadoru
