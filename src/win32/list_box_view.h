#pragma once

#include "platform/windows/windows_api.h"

#include <functional>
#include <string>
#include <vector>

namespace kadoru {

// Draws rows and their selection into an extended-selection list box. Rows that are
// already shown are not listed again, so the user's scroll place and selection anchor
// survive a change of the selection alone. LB_SETSEL sends no notification, so a
// redraw never reads as the user's input.
class ListBoxView {
public:
    explicit ListBoxView(HWND box) : box_(box) {}

    HWND window() const { return box_; }
    // `current` is the row with the focus rectangle, -1 for none.
    void draw(std::vector<std::string> rows, const std::function<bool(int)>& selected, int current);
    // The rows selected now, in rising order.
    std::vector<int> selected_rows() const;
    // The row with the focus rectangle, -1 for none.
    int current_row() const;

private:
    HWND box_;
    std::vector<std::string> shown_;
};

} // namespace kadoru
