#pragma once

#include "platform/windows/windows_api.h"

#include <commctrl.h>

namespace kadoru {

class ArrangedListIntents;
class ListBoxView;
class MessageBox;
class TransferList;

// A list arranged by hand (List2, the order window's songs) in a drag list box, as
// both windows that have one draw it and send its input.

// Draws the list's songs by name, their selection and the current row.
void draw_arranged_list(ListBoxView& view, const TransferList& list);
// The user's selection and current row in the box, told to the list.
void send_selection(const ListBoxView& view, ArrangedListIntents& intents);

// The message comctl32's drag list (MakeDragList) sends its parent window at each
// step of a drag.
UINT drag_list_message();

// Answers one step of rows dragged within a drag list: the drag is offered only while
// the list may be edited, and the selected rows dropped go before the row the
// drop-row rule names.
LRESULT drag_rows(HWND list, const DRAGLISTINFO& drag, ArrangedListIntents& intents,
                  MessageBox& errors);

} // namespace kadoru
