#include "card/card_order_model.h"

#include "platform/failure.h"
#include "platform/guard.h"
#include "platform/message_box.h"

#include <utility>

namespace kadoru {

CardOrderModel::ArrangeOffer CardOrderModel::arrange_offer() const {
    ArrangeOffer offer;
    guarded(messages_, [&] {
        offer.enabled = !busy_ && actions_.can_arrange(order_);
        offer.shown = !arranging_ && order_.as_stored && offer.enabled;
    });
    return offer;
}

void CardOrderModel::show(CardOrder order) {
    order_ = std::move(order);
    arranging_ = false;
    changed.notify();
}

void CardOrderModel::begin_arranging() {
    songs_.begin(order_);
    arranging_ = true;
    changed.notify();
}

void CardOrderModel::cancel() {
    arranging_ = false;
    changed.notify();
}

void CardOrderModel::confirm(const ArrangeProgress& progress) {
    const auto tell = [this](const std::exception& error) {
        messages_.show(failure_message(as_failure(error)));
    };
    busy_ = true;
    changed.notify();
    try {
        actions_.arrange_card(order_, songs_.names(), progress);
    } catch (const std::exception& error) {
        tell(error);
    }
    busy_ = false;
    // What the card holds now, read afresh; the order shown before where it cannot be.
    CardOrder now = order_;
    try {
        now = actions_.card_order();
    } catch (const std::exception& error) {
        tell(error);
    }
    show(std::move(now));
}

void CardOrderModel::move_selected_to(int to) {
    if (!busy_)
        songs_.move_selected_to(to);
}

void CardOrderModel::list_rows_selected(const std::vector<int>& rows) {
    songs_.list().set_selection(rows);
}

void CardOrderModel::list_current_row(int row) {
    songs_.list().set_list_index(row < songs_.list().count() ? row : -1);
}

} // namespace kadoru
