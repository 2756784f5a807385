#pragma once

namespace kadoru {

// A window's or control's rectangle in the written layout: pixels at 96 dpi (a
// window scales them with its dpi), a control's relative to its window's client area.
struct Place {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

} // namespace kadoru
