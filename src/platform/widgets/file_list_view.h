#pragma once

#include "platform/file_list.h"
#include "platform/message_box.h"

#include <QListView>

namespace kadoru {

class ListRowsModel;

// File1: the files of the folder, extended selection. The user's selection goes
// into the logic's list first; then a click runs its click processing, and a
// double-click runs the click processing and then the double-click processing.
// Selecting with the keyboard counts as a click.
class FileListView final : public QListView {
    Q_OBJECT

public:
    FileListView(FileList& files, MessageBox& errors, QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void redraw();
    void take_selection(const QItemSelection& selected, const QItemSelection& deselected);
    void click();

    FileList& files_;
    MessageBox& errors_;
    ListRowsModel* rows_;
    bool drawing_ = false;
    // Between a press and its release the selection may change several times (a
    // drag); the click runs once, at the release.
    bool pressed_ = false;
    // The release that ends a double-click belongs to it and is no click of its own.
    bool release_ends_double_click_ = false;
};

} // namespace kadoru
