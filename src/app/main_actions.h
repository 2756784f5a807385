#pragma once

#include "app/transfer_list_actions.h"
#include "card/card_arranging.h"

namespace kadoru {

// What the main window's buttons do. The window calls these on a click; the
// drive, folder, file and type lists run their own change and click handlers,
// which the app connects on the view-model's models when it builds the window.
// The transfer list's own drag and drop and menu come with them, and the order
// window's reading and arranging of the card.
class MainActions : public TransferListActions, public CardOrderActions {
public:
    virtual void start() = 0;     // b_ok "Start": the transfer run
    virtual void close() = 0;     // b_cancel "Close": saves the settings; the window then ends
    virtual void end() = 0;       // the main window's close box: the window ends, nothing saved
    virtual void add() = 0;       // Command1 "追加"
    virtual void add_all() = 0;   // Command6 "全て追加"
    virtual void remove() = 0;    // Command2 "削除"
    virtual void clear() = 0;     // Command3 "全消去"
    virtual void move_up() = 0;   // Command4
    virtual void move_down() = 0; // Command5
    virtual void refresh() = 0;   // Command7 "更新"
    // Drive2's menu "カードの中の順序を表示" and the order window's arranging come
    // with CardOrderActions.
    // Drive2's menu "取り出す": whether it is offered for the destination now (a card,
    // no run under way), and the safe removal of the card.
    virtual bool can_eject() const = 0;
    virtual void eject_card() = 0;
};

} // namespace kadoru
