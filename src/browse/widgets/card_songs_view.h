#pragma once

#include "transfer_list/transfer_list.h"

#include <functional>

#include <QListView>

namespace kadoru {

class ListRowsModel;

// The card's songs in the order window while the user arranges them: the names of
// a transfer list with extended selection, the user's selection and current row
// written straight into it, its changes drawn from its notifier. Selected rows can be
// dragged to another place; move_to decides what a drop before row `to` does.
class CardSongsView final : public QListView {
    Q_OBJECT

public:
    CardSongsView(TransferList& songs, std::function<void(int to)> move_to, QWidget* parent);

protected:
    void startDrag(Qt::DropActions supported) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void redraw();
    bool takes(const QDropEvent& event) const;
    QByteArray drag_token() const;

    TransferList& songs_;
    std::function<void(int)> move_to_;
    ListRowsModel* rows_;
    bool drawing_ = false; // drawing from the list: nothing goes back to it then
    bool writing_ = false; // the user's input going into the list: the view shows it already
};

} // namespace kadoru
