#include "win32/arranged_list_box.h"

#include "platform/guard.h"
#include "transfer_list/arranged_list_intents.h"
#include "transfer_list/transfer_list.h"
#include "win32/list_box_view.h"

namespace kadoru {

namespace {

// The row the selection goes before when dropped at a point of the screen.
int drop_row_at(HWND list, POINT at) {
    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    const int under = ::LBItemFromPt(list, at, FALSE);
    RECT row{};
    ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(under),
                   reinterpret_cast<LPARAM>(&row));
    POINT inside = at;
    ::ScreenToClient(list, &inside);
    return drop_row(under, inside.y < (row.top + row.bottom) / 2, count);
}

} // namespace

void draw_arranged_list(ListBoxView& view, const TransferList& list) {
    std::vector<std::string> rows;
    for (int i = 0; i < list.count(); ++i)
        rows.push_back(list.row(i).name);
    view.draw(
        std::move(rows), [&list](int i) { return list.selected(i); }, list.list_index());
}

void send_selection(const ListBoxView& view, ArrangedListIntents& intents) {
    intents.list_rows_selected(view.selected_rows());
    intents.list_current_row(view.current_row());
}

UINT drag_list_message() {
    static const UINT message = ::RegisterWindowMessageW(DRAGLISTMSGSTRING);
    return message;
}

LRESULT drag_rows(HWND list, const DRAGLISTINFO& drag, ArrangedListIntents& intents,
                  MessageBox& errors) {
    bool editable = false;
    guarded(errors, [&] { editable = intents.list_editable(); });
    switch (drag.uNotification) {
    case DL_BEGINDRAG:
        return editable ? TRUE : FALSE;
    case DL_DRAGGING:
        return editable ? DL_MOVECURSOR : DL_STOPCURSOR;
    case DL_DROPPED:
        if (editable)
            guarded(errors, [&] { intents.move_selected_to(drop_row_at(list, drag.ptCursor)); });
        return 0;
    default:
        return 0;
    }
}

} // namespace kadoru
