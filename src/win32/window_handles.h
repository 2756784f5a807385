#pragma once

#include "platform/windows/windows_api.h"

#include <memory>
#include <type_traits>

namespace kadoru {

// A window of ours, destroyed with its children when it goes.
struct WindowDestroyer {
    void operator()(HWND window) const noexcept { ::DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

// A font, brush or image list made for a window, deleted after the window that used it.
struct GdiDeleter {
    void operator()(HGDIOBJ object) const noexcept { ::DeleteObject(object); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiDeleter>;
using UniqueGdi = std::unique_ptr<void, GdiDeleter>;

} // namespace kadoru
