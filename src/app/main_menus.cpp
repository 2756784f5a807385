#include "app/main_menus.h"

#include "app/main_actions.h"
#include "platform/window_texts.h"
#include "transfer_list/transfer_list.h"

namespace kadoru {

std::vector<MenuEntry> transfer_list_menu(const TransferListActions& actions,
                                          const TransferList& list) {
    const bool editable = actions.list_editable();
    const bool rows = editable && list.count() > 0;
    namespace wt = window_text;
    return {
        {MenuCommand::add_playlist, "add_playlist", wt::add_playlist, editable},
        {MenuCommand::save_playlist, "save_playlist", wt::save_playlist, rows},
        {MenuCommand::sort_by_name, "sort_by_name", wt::sort_by_name, rows, true, true},
        {MenuCommand::sort_by_track, "sort_by_track", wt::sort_by_track, rows},
        {MenuCommand::shuffle, "shuffle", wt::shuffle, rows},
    };
}

std::vector<MenuEntry> destination_menu(const MainActions& actions) {
    namespace wt = window_text;
    return {
        {MenuCommand::show_card_order, "show_card_order", wt::card_order_command},
        // Removal is offered for a card only, and not while a run writes to it.
        {MenuCommand::eject_card, "eject_card", wt::eject_command, true, actions.can_eject()},
    };
}

} // namespace kadoru
