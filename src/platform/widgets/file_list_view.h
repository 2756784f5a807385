#pragma once

#include "platform/file_list.h"
#include "platform/list_intents.h"
#include "platform/message_box.h"

#include <QListView>

namespace kadoru {

class ListRowsModel;

// File1: the files of the folder, extended selection. It draws the list and
// forwards the mouse's presses, releases and double-clicks and every change of the
// selection as intents; which of them is a click is the logic's rule.
class FileListView final : public QListView {
    Q_OBJECT

public:
    FileListView(const FileList& files, ListIntents& input, MessageBox& errors, QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void redraw();
    void take_selection();

    const FileList& files_;
    ListIntents& input_;
    MessageBox& errors_;
    ListRowsModel* rows_;
    bool drawing_ = false;
};

} // namespace kadoru
