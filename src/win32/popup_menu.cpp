#include "win32/popup_menu.h"

#include "platform/windows/wide_text.h"

#include <memory>
#include <type_traits>

namespace kadoru {

namespace {

struct MenuDestroyer {
    void operator()(HMENU menu) const noexcept { ::DestroyMenu(menu); }
};
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

// Menu item ids start at 1: TrackPopupMenuEx gives 0 for no pick.
UINT item_id(std::size_t index) {
    return static_cast<UINT>(index + 1);
}

} // namespace

POINT menu_point(HWND control, LPARAM at) {
    if (at != -1)
        return {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    RECT area{};
    ::GetWindowRect(control, &area);
    return {area.left, area.top};
}

std::optional<MenuCommand> pick_from_menu(HWND owner, POINT at,
                                          const std::vector<MenuEntry>& entries) {
    const UniqueMenu menu(::CreatePopupMenu());
    if (!menu)
        return std::nullopt;
    bool any = false;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const MenuEntry& entry = entries[i];
        if (!entry.shown)
            continue;
        if (entry.separator_before && any)
            ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(menu.get(), MF_STRING | (entry.enabled ? MF_ENABLED : MF_GRAYED), item_id(i),
                      to_wide(entry.text).c_str());
        any = true;
    }
    const auto picked = static_cast<std::size_t>(::TrackPopupMenuEx(
        menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, owner, nullptr));
    if (picked == 0 || picked > entries.size())
        return std::nullopt;
    return entries[picked - 1].command;
}

} // namespace kadoru
