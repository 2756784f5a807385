#pragma once

#include "platform/windows/windows_api.h"

#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

// Draws a combo box's items, listed again only when they differ from those shown,
// with row `selected` picked (-1: none). CB_SETCURSEL sends no notification.
void draw_combo(HWND combo, const std::vector<std::string>& items, int selected);

// A window's text (a caption, a combo box's edit field) in UTF-8.
std::string text_of(HWND window);
// Sets a window's text unless it shows it already (typing keeps its caret).
void show_text(HWND window, std::string_view text);

} // namespace kadoru
