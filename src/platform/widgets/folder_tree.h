#pragma once

#include "platform/folder_list.h"
#include "platform/message_box.h"

#include <QTreeWidget>

namespace kadoru {

// Dir1: the folders from the drive's root down to the current one, open, each
// indented under the one above, and the folders in the current one below it.
// Opening a row (double-click, or the space bar) makes it the current folder;
// Enter opens nothing, it presses the window's Start.
class FolderTree final : public QTreeWidget {
    Q_OBJECT

public:
    FolderTree(FolderList& folders, MessageBox& errors, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Every folder shown is open and stays so: no branch marks to click.
    void drawBranches(QPainter* /*painter*/, const QRect& /*rect*/,
                      const QModelIndex& /*index*/) const override {}

private:
    void redraw();
    void open(const QTreeWidgetItem* item);

    FolderList& folders_;
    MessageBox& errors_;
};

} // namespace kadoru
