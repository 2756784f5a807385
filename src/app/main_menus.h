#pragma once

#include <string_view>
#include <vector>

namespace kadoru {

class MainActions;
class TransferList;
class TransferListActions;

// The commands of the main window's context menus.
enum class MenuCommand {
    add_playlist,
    save_playlist,
    sort_by_name,
    sort_by_track,
    shuffle,
    show_card_order,
    eject_card,
};

// One entry of a context menu as a window must show it now: a window (Qt or Win32)
// asks for the entries each time the menu opens, shows the shown ones with their
// texts, greys the disabled ones, and sends the command of the one picked.
struct MenuEntry {
    MenuCommand command;
    std::string_view name; // the entry's object name
    std::string_view text;
    bool enabled = true;
    bool shown = true;
    bool separator_before = false;
};

// List2's menu: adding a playlist while the list may be edited; the rest also
// needs a row.
std::vector<MenuEntry> transfer_list_menu(const TransferListActions& actions,
                                          const TransferList& list);
// Drive2's menu: the order on the card always; removal only where it is offered.
std::vector<MenuEntry> destination_menu(const MainActions& actions);

} // namespace kadoru
