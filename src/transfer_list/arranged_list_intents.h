#pragma once

#include <vector>

namespace kadoru {

// What the user does to a list arranged by hand (List2, the order window's songs),
// one call per input. A window draws the list from its TransferList, never writes
// it, and sends these: the selection and current row whenever the user changes them,
// and the selected rows dragged before another row (drop_row says which).
class ArrangedListIntents {
public:
    virtual ~ArrangedListIntents() = default;

    // False while the list may not be arranged (a run or an arrangement under way):
    // it then offers no drag and takes no drop. Never throws.
    virtual bool list_editable() const = 0;
    // The selected rows, dragged, go before row `to` (the row count: the end).
    virtual void move_selected_to(int to) = 0;
    // Every row selected now, and the row the user moved to (-1: none).
    virtual void list_rows_selected(const std::vector<int>& rows) = 0;
    virtual void list_current_row(int row) = 0;
};

// The drop-row rule: rows dropped on the upper half of row `under` go before it, on
// its lower half after it; dropped below the rows (under < 0), at the end.
constexpr int drop_row(int under, bool upper_half, int count) {
    if (under < 0)
        return count;
    return upper_half ? under : under + 1;
}

} // namespace kadoru
