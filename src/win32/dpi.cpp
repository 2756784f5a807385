#include "win32/dpi.h"

namespace kadoru {

namespace {

// Windows 10's calls, looked up by name: the toolchain targets Windows 7.
template <class Function> Function* user32_function(const char* name) {
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr)
        return nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(::GetProcAddress(user32, name)));
}

} // namespace

int system_dpi() {
    if (auto* for_system = user32_function<UINT WINAPI()>("GetDpiForSystem"))
        return static_cast<int>(for_system());
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : design_dpi;
}

int window_dpi(HWND window) {
    if (auto* for_window = user32_function<UINT WINAPI(HWND)>("GetDpiForWindow")) {
        const auto dpi = static_cast<int>(for_window(window));
        if (dpi > 0)
            return dpi;
    }
    return system_dpi();
}

} // namespace kadoru
