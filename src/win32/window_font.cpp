#include "win32/window_font.h"

#include "win32/dpi.h"

namespace kadoru {

UniqueFont message_font(int pixels, int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW font{};
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) != FALSE)
        font = metrics.lfMessageFont;
    else
        font.lfCharSet = DEFAULT_CHARSET;
    // A negative height is the characters' own height, without the leading.
    font.lfHeight = -scaled(pixels, dpi);
    font.lfWidth = 0;
    return UniqueFont(::CreateFontIndirectW(&font));
}

void use_font(HWND window, HFONT font) {
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM font_handle) -> BOOL {
            ::SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font_handle), FALSE);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(font));
}

} // namespace kadoru
