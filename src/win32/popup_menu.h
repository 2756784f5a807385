#pragma once

#include "app/main_menus.h"
#include "platform/windows/windows_api.h"

#include <optional>
#include <vector>

namespace kadoru {

// Where a control's context menu opens: at the pointer, or from the keyboard (the
// menu key, Shift+F10: the message's point is -1, -1) at the control's top left.
POINT menu_point(HWND control, LPARAM at);

// Shows the shown entries as a popup menu, the disabled ones greyed, and waits for a
// pick: the picked entry's command, or none.
std::optional<MenuCommand> pick_from_menu(HWND owner, POINT at,
                                          const std::vector<MenuEntry>& entries);

} // namespace kadoru
