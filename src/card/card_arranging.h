#pragma once

#include "card/card_arrangement.h"
#include "card/card_order.h"
#include "platform/label.h"
#include "transfer_list/transfer_list.h"

#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

class SongDetailsReader;

// The songs of the card's root as the user puts them in order in the order window,
// with the transfer list's own commands: the songs are rows of a transfer list of
// their own (name, the song's path on the card, its size).
class CardArranging {
public:
    // Starts afresh with the order's songs, in the order read.
    void begin(const CardOrder& order);

    TransferList& list() { return list_; }
    const TransferList& list() const { return list_; }
    // The songs' names in the order chosen.
    std::vector<std::string> names() const;

    // The up and down buttons, a drag of the selected songs before row `to`, and the
    // two sortings, as in the transfer list.
    void move_up();
    void move_down();
    void move_selected_to(int to);
    void sort_by_name();
    void sort_by_track(SongDetailsReader& details);

private:
    TransferList list_;
    double total_size_ = 0; // what the shared arranging steps keep up to date
    Label total_;
};

// What the order window asks of the program, which provides it.
class CardOrderActions {
public:
    virtual ~CardOrderActions() = default;
    // Drive2's menu "カードの中の順序を表示": the destination's root folder in the order
    // of its entries, its songs of the chosen type marked. A card that cannot be read
    // leaves as a Failure said of the drive, for the window to tell.
    virtual CardOrder card_order() = 0;
    // Whether an arrangement may start now: the order can be read back, and neither
    // a transfer run nor another arrangement is under way.
    virtual bool can_arrange(const CardOrder& order) const = 0;
    // Puts the card's songs in this order and tells the user how it ended; a Failure
    // leaves for the window to tell.
    virtual void arrange_card(const CardOrder& order, const std::vector<std::string>& names,
                              const ArrangeProgress& progress) = 0;
    // Sorts by the songs' track numbers, as read from the card.
    virtual void sort_songs_by_track(CardArranging& songs) = 0;
};

} // namespace kadoru
