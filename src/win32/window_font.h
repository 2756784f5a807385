#pragma once

#include "win32/window_handles.h"

namespace kadoru {

// The system's message font (a Japanese one on a Japanese system) at a text height
// in design pixels, drawn at the given dots per inch.
UniqueFont message_font(int pixels, int dpi);

// Gives a window and every child it has the font; the font must outlive them.
void use_font(HWND window, HFONT font);

} // namespace kadoru
