#include "transfer_list/list_arrange.h"

#include "platform/name_order.h"
#include "platform/song_details.h"
#include "transfer_list/list_size.h"
#include "transfer_list/transfer_list.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <optional>
#include <utility>
#include <vector>

namespace kadoru {

namespace {

std::vector<int> rows_in_order(const TransferList& list) {
    std::vector<int> rows(static_cast<std::size_t>(list.count()));
    std::iota(rows.begin(), rows.end(), 0);
    return rows;
}

void put_in_order(const ListArranging& arranging, const std::vector<int>& order) {
    arranging.list2.reorder(order);
    list_size(arranging.list2, arranging.total_size, arranging.label7);
}

} // namespace

void move_selected_to(const ListArranging& arranging, int to) {
    const TransferList& list = arranging.list2;
    to = std::clamp(to, 0, list.count());
    std::vector<int> before;
    std::vector<int> moved;
    std::vector<int> after;
    for (int i = 0; i < list.count(); ++i) {
        if (list.selected(i))
            moved.push_back(i);
        else
            (i < to ? before : after).push_back(i);
    }
    before.insert(before.end(), moved.begin(), moved.end());
    before.insert(before.end(), after.begin(), after.end());
    put_in_order(arranging, before);
}

void sort_by_name(const ListArranging& arranging) {
    const TransferList& list = arranging.list2;
    std::vector<int> order = rows_in_order(list);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return natural_less(list.row(a).name, list.row(b).name);
    });
    put_in_order(arranging, order);
}

void sort_by_track(const ListArranging& arranging, SongDetailsReader& details) {
    const TransferList& list = arranging.list2;
    // A song without a disc number belongs with disc 1, where a one-disc album's are.
    constexpr auto untracked = std::pair(std::numeric_limits<int>::max(), 0);
    std::vector<std::pair<int, int>> keys;
    keys.reserve(static_cast<std::size_t>(list.count()));
    for (int i = 0; i < list.count(); ++i) {
        const std::optional<SongDetails> song = details.read(list.row(i).source_path);
        if (song && song->track > 0)
            keys.emplace_back(std::max(song->disc, 1), song->track);
        else
            keys.push_back(untracked);
    }
    std::vector<int> order = rows_in_order(list);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)];
    });
    put_in_order(arranging, order);
}

void shuffle_list(const ListArranging& arranging, std::mt19937& random) {
    std::vector<int> order = rows_in_order(arranging.list2);
    std::shuffle(order.begin(), order.end(), random);
    put_in_order(arranging, order);
}

} // namespace kadoru
