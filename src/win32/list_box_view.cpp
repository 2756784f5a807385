#include "win32/list_box_view.h"

#include "platform/windows/wide_text.h"

namespace kadoru {

void ListBoxView::draw(std::vector<std::string> rows, const std::function<bool(int)>& selected,
                       int current) {
    if (rows != shown_) {
        ::SendMessageW(box_, WM_SETREDRAW, FALSE, 0);
        ::SendMessageW(box_, LB_RESETCONTENT, 0, 0);
        for (const auto& row : rows)
            ::SendMessageW(box_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(to_wide(row).c_str()));
        ::SendMessageW(box_, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(box_, nullptr, TRUE);
        shown_ = std::move(rows);
    }
    const int count = static_cast<int>(shown_.size());
    for (int i = 0; i < count; ++i) {
        const bool is_selected = selected(i);
        if ((::SendMessageW(box_, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) != is_selected)
            ::SendMessageW(box_, LB_SETSEL, is_selected ? TRUE : FALSE, i);
    }
    if (current >= 0 && current < count && current != current_row())
        ::SendMessageW(box_, LB_SETCARETINDEX, static_cast<WPARAM>(current), FALSE);
}

std::vector<int> ListBoxView::selected_rows() const {
    const auto count = ::SendMessageW(box_, LB_GETSELCOUNT, 0, 0);
    std::vector<int> rows(count > 0 ? static_cast<std::size_t>(count) : 0);
    if (!rows.empty())
        ::SendMessageW(box_, LB_GETSELITEMS, rows.size(), reinterpret_cast<LPARAM>(rows.data()));
    return rows;
}

int ListBoxView::current_row() const {
    if (shown_.empty())
        return -1;
    return static_cast<int>(::SendMessageW(box_, LB_GETCARETINDEX, 0, 0));
}

} // namespace kadoru
