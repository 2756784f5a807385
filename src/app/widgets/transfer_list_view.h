#pragma once

#include "app/main_menus.h"
#include "app/transfer_list_actions.h"
#include "platform/message_box.h"
#include "transfer_list/transfer_list.h"

#include <memory>

#include <QListView>

class QAction;
class QMimeData;

namespace kadoru {

class ListRowsModel;

// List2: the names of the transfer list with extended selection. The user's
// selection and current row go to the logic as intents; the logic's changes
// (adds, moves, removals) are drawn from its notifier. Selected rows can be dragged
// to another place, files dropped from a file manager are added, and a context menu
// reads and writes playlists and sorts; the actions decide, the view only asks.
class TransferListView final : public QListView {
    Q_OBJECT

public:
    TransferListView(const TransferList& list, TransferListActions& actions, MessageBox& errors,
                     QWidget* parent);

    // What a drag of this list's rows carries: which list of which process they left,
    // so that rows from another window or program are never taken for its own.
    std::unique_ptr<QMimeData> dragged_rows() const;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void startDrag(Qt::DropActions supported) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void redraw();
    void take_selection();
    void take_current(const QModelIndex& current);

    void run(MenuCommand command);
    void show_menu_enabled();
    void choose_playlist_to_add();
    void choose_playlist_to_save();

    QByteArray drag_token() const;
    bool takes(const QDropEvent& event) const;
    int drop_row(QPoint at) const;

    const TransferList& list_;
    TransferListActions& actions_;
    MessageBox& errors_;
    ListRowsModel* rows_;
    QString playlist_folder_; // where the last playlist was read or written
    // Set while the view is drawn from the list: nothing goes back to the list then.
    bool drawing_ = false;
    // Set while the user's input is written into the list: the view already shows it.
    bool writing_ = false;
};

} // namespace kadoru
