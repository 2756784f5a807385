#pragma once

#include "app/main_menus.h"
#include "app/transfer_list_actions.h"
#include "transfer_list/widgets/arranged_list_view.h"

class QAction;

namespace kadoru {

// List2: an arranged list that also adds the files, folders and playlists dropped
// from a file manager, and has a context menu that reads and writes playlists and
// sorts; the menu's entries and their enabled state come from the logic
// (transfer_list_menu), the view only shows them and asks the actions.
class TransferListView final : public ArrangedListView {
    Q_OBJECT

public:
    TransferListView(const TransferList& list, TransferListActions& actions, MessageBox& errors,
                     QWidget* parent);

protected:
    bool takes_other(const QDropEvent& event) const override;
    void drop_other(const QDropEvent& event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void run(MenuCommand command);
    void show_menu_enabled();
    void choose_playlist_to_add();
    void choose_playlist_to_save();

    TransferListActions& actions_;
    QString playlist_folder_; // where the last playlist was read or written
};

} // namespace kadoru
