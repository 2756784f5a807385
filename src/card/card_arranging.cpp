#include "card/card_arranging.h"

#include "platform/paths.h"
#include "transfer_list/list_arrange.h"
#include "transfer_list/list_commands.h"

namespace kadoru {

void CardArranging::begin(const CardOrder& order) {
    list_.clear();
    for (const auto& row : order.rows)
        if (row.song)
            list_.append({row.name, join_path(order.root, row.name), std::to_string(row.size)});
}

std::vector<std::string> CardArranging::names() const {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(list_.count()));
    for (int i = 0; i < list_.count(); ++i)
        names.push_back(list_.row(i).name);
    return names;
}

void CardArranging::move_up() {
    kadoru::move_up(list_);
}

void CardArranging::move_down() {
    kadoru::move_down(list_);
}

void CardArranging::move_selected_to(int to) {
    kadoru::move_selected_to({list_, total_size_, total_}, to);
}

void CardArranging::sort_by_name() {
    kadoru::sort_by_name({list_, total_size_, total_});
}

void CardArranging::sort_by_track(SongDetailsReader& details) {
    kadoru::sort_by_track({list_, total_size_, total_}, details);
}

} // namespace kadoru
