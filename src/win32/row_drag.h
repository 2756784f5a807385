#pragma once

#include "platform/windows/windows_api.h"

#include <commctrl.h>

namespace kadoru {

class ArrangedListIntents;
class MessageBox;

// The message comctl32's drag list (MakeDragList) sends its parent window at each
// step of a drag.
UINT drag_list_message();

// Answers one step of rows dragged within a drag list: the drag is offered only while
// the list may be edited, and the selected rows dropped go before the row the
// drop-row rule names.
LRESULT drag_rows(HWND list, const DRAGLISTINFO& drag, ArrangedListIntents& intents,
                  MessageBox& errors);

} // namespace kadoru
