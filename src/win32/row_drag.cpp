#include "win32/row_drag.h"

#include "platform/guard.h"
#include "transfer_list/arranged_list_intents.h"

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
