#pragma once

#include "card/card_arranging.h"
#include "card/card_order.h"
#include "platform/notifier.h"
#include "transfer_list/arranged_list_intents.h"

namespace kadoru {

class MessageBox;

// The order window's state and behaviour, for any window to draw: the order shown,
// whether arranging is offered, whether the user is arranging the songs (and how),
// whether the card is being arranged. A window reads it, redraws on `changed` and
// sends its buttons here and its songs list's input as ArrangedListIntents; it
// decides none of it. The actions and the messages outlive the model.
class CardOrderModel final : public ArrangedListIntents {
public:
    CardOrderModel(CardOrderActions& actions, MessageBox& messages)
        : actions_(actions), messages_(messages) {}

    const CardOrder& order() const { return order_; }
    // The songs as the user arranges them.
    const TransferList& songs() const { return songs_.list(); }
    bool arranging() const { return arranging_; }
    bool busy() const { return busy_; }
    // "曲を並べ替える…" is shown where the stored order can be read and the actions
    // allow an arrangement; it and "この順序にする" are enabled while they allow it now.
    // Where the actions cannot tell, the failure is told and neither is offered.
    struct ArrangeOffer {
        bool shown = false;
        bool enabled = false;
    };
    ArrangeOffer arrange_offer() const;

    // Shows this order in place of the last one; arranging ends.
    void show(CardOrder order);
    void begin_arranging();
    void cancel();
    // Puts the card's songs in the order chosen, telling each move to progress, then
    // reads the card again and shows what it holds now. Tells the user of every
    // failure itself, the arrangement's and the reading's.
    void confirm(const ArrangeProgress& progress);
    // The song commands; sorting by track reads the songs' details through the actions.
    void move_up() { songs_.move_up(); }
    void move_down() { songs_.move_down(); }
    void sort_by_name() { songs_.sort_by_name(); }
    void sort_by_track() { actions_.sort_songs_by_track(songs_); }

    bool list_editable() const override { return !busy_; }
    void move_selected_to(int to) override;
    void list_rows_selected(const std::vector<int>& rows) override;
    void list_current_row(int row) override;

    // Told whenever what the window shows may have changed; the songs tell their own.
    Notifier changed;

private:
    CardOrderActions& actions_;
    MessageBox& messages_;
    CardOrder order_;
    CardArranging songs_;
    bool arranging_ = false;
    bool busy_ = false;
};

} // namespace kadoru
