#pragma once

#include "platform/folder_list.h"
#include "platform/list_intents.h"
#include "platform/message_box.h"

#include <QTreeWidget>

namespace kadoru {

// Dir1: draws its list's rows, open, each indented by its depth. Opening a row
// (double-click, or the space bar) is the intent; Enter opens nothing, it presses
// the window's Start.
class FolderTree final : public QTreeWidget {
    Q_OBJECT

public:
    FolderTree(const FolderList& folders, ListIntents& input, MessageBox& errors, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Every folder shown is open and stays so: no branch marks to click.
    void drawBranches(QPainter* /*painter*/, const QRect& /*rect*/,
                      const QModelIndex& /*index*/) const override {}

private:
    void redraw();
    void open(const QTreeWidgetItem* item);

    const FolderList& folders_;
    ListIntents& input_;
    MessageBox& errors_;
};

} // namespace kadoru
