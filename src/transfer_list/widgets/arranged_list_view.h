#pragma once

#include "platform/message_box.h"
#include "transfer_list/arranged_list_intents.h"
#include "transfer_list/transfer_list.h"

#include <memory>

#include <QListView>

class QMimeData;

namespace kadoru {

class ListRowsModel;

// A list arranged by hand (List2, the order window's songs): the names of a transfer
// list with extended selection. It draws the list from its notifier and sends the
// user's selection, current row and drags of the selected rows as intents; it writes
// nothing back itself. A view that takes other drops as well says so in takes_other.
class ArrangedListView : public QListView {
    Q_OBJECT

public:
    ArrangedListView(const TransferList& list, ArrangedListIntents& intents, MessageBox& errors,
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

    // Another kind of drop the view takes (its action), and what it does with it.
    virtual bool takes_other(const QDropEvent& /*event*/) const { return false; }
    virtual void drop_other(const QDropEvent& /*event*/) {}

    const TransferList& list() const { return list_; }
    MessageBox& errors() const { return errors_; }

private:
    void redraw();
    void take_selection();
    void take_current(const QModelIndex& current);
    bool takes(const QDropEvent& event) const;
    void accept_drag(QDragMoveEvent& event);
    QByteArray drag_token() const;

    const TransferList& list_;
    ArrangedListIntents& intents_;
    MessageBox& errors_;
    ListRowsModel* rows_;
    // Set while the view is drawn from the list: nothing goes back to the list then.
    bool drawing_ = false;
    // Set while the user's input is written into the list: the view already shows it.
    bool writing_ = false;
};

} // namespace kadoru
