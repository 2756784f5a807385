#include "transfer_list/transfer_list.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace kadoru {

void TransferList::append(TransferEntry entry) {
    if (count() >= max_rows)
        throw std::length_error("the transfer list is full");
    rows_.push_back({std::move(entry), false});
    changed.notify();
}

void TransferList::remove_at(int i) {
    at(i); // range check
    rows_.erase(rows_.begin() + i);
    // The focus stays on the same entry, or on the row that took the removed one's place.
    if (list_index_ > i || list_index_ >= count())
        --list_index_;
    changed.notify();
}

void TransferList::exchange(int i, int j) {
    std::swap(at(i).entry, at(j).entry);
    at(j).selected = true;
    at(i).selected = false;
    changed.notify();
}

void TransferList::reorder(const std::vector<int>& order) {
    if (order.size() != rows_.size())
        throw std::invalid_argument("not an order of every row");
    // Checked in full before anything moves, so a wrong order leaves the list as it was.
    std::vector<char> seen(rows_.size(), 0);
    for (const int from : order) {
        if (from < 0 || from >= count() || seen[static_cast<std::size_t>(from)] != 0)
            throw std::invalid_argument("not an order of every row");
        seen[static_cast<std::size_t>(from)] = 1;
    }
    std::vector<Row> rows;
    rows.reserve(rows_.size());
    int current = -1;
    for (const int from : order) {
        if (from == list_index_)
            current = static_cast<int>(rows.size());
        rows.push_back(std::move(at(from)));
    }
    rows_ = std::move(rows);
    list_index_ = current;
    changed.notify();
}

void TransferList::clear() {
    rows_.clear();
    list_index_ = -1;
    changed.notify();
}

void TransferList::set_selected(int i, bool selected) {
    at(i).selected = selected;
    changed.notify();
}

void TransferList::set_selection(const std::vector<int>& rows) {
    for (int i = 0; i < count(); ++i)
        if (const bool on = std::find(rows.begin(), rows.end(), i) != rows.end(); on != selected(i))
            set_selected(i, on);
}

void TransferList::set_list_index(int i) {
    if (i < -1 || i >= count())
        throw std::out_of_range("no such row");
    list_index_ = i;
    changed.notify();
}

} // namespace kadoru
