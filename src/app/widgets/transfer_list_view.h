#pragma once

#include "platform/message_box.h"
#include "transfer_list/transfer_list.h"

#include <QListView>

namespace kadoru {

class ListRowsModel;

// List2: the names of the transfer list with extended selection. The user's
// selection and current row go straight into the logic's list; the logic's changes
// (adds, moves, removals) are drawn from its notifier.
class TransferListView final : public QListView {
    Q_OBJECT

public:
    TransferListView(TransferList& list, MessageBox& errors, QWidget* parent);

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void redraw();
    void take_selection(const QItemSelection& selected, const QItemSelection& deselected);
    void take_current(const QModelIndex& current);

    TransferList& list_;
    MessageBox& errors_;
    ListRowsModel* rows_;
    // Set while the view is drawn from the list: nothing goes back to the list then.
    bool drawing_ = false;
    // Set while the user's input is written into the list: the view already shows it.
    bool writing_ = false;
};

} // namespace kadoru
