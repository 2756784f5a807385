#pragma once

#include "platform/windows/windows_api.h"

namespace kadoru {

// Layouts are written in pixels at 96 dots per inch; a window draws them at its own.
inline constexpr int design_dpi = 96;

// The dots per inch of a window's screen (Windows 10's per-window value where the
// system has it), or of the system before a window exists.
int window_dpi(HWND window);
int system_dpi();

inline int scaled(int pixels, int dpi) {
    return ::MulDiv(pixels, dpi, design_dpi);
}

} // namespace kadoru
