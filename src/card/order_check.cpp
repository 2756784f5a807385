#include "card/order_check.h"

#include "platform/ascii_case.h"
#include "platform/entry_order.h"
#include "platform/failure.h"

#include <algorithm>
#include <unordered_map>

namespace kadoru {

namespace {

// The key under which the card knows a name: its ASCII letters in upper case.
std::string entry_key(std::string_view name) {
    std::string key(name);
    std::transform(key.begin(), key.end(), key.begin(), ascii_upper);
    return key;
}

} // namespace

std::optional<std::string> first_out_of_order(const std::vector<std::string>& list_names,
                                              const std::vector<std::string>& card_names) {
    // The last place of each name in the list.
    std::unordered_map<std::string, std::size_t> last_place;
    for (std::size_t i = 0; i < list_names.size(); ++i)
        last_place[entry_key(list_names[i])] = i;

    // The list's places of the card's entries, in the card's order.
    std::vector<std::size_t> on_card;
    for (const auto& name : card_names) {
        const auto found = last_place.find(entry_key(name));
        if (found != last_place.end())
            on_card.push_back(found->second);
    }
    // A list file the card does not show is no order to judge; what the card
    // holds should be in the order of the places.
    std::vector<std::size_t> expected = on_card;
    std::sort(expected.begin(), expected.end());
    const auto card_place = std::mismatch(on_card.begin(), on_card.end(), expected.begin()).first;
    if (card_place == on_card.end())
        return std::nullopt;
    return list_names[*card_place];
}

std::optional<std::string> check_order_on_card(const CardFiles& fs, const Drives& drives,
                                               std::string_view drive,
                                               const std::vector<std::string>& list_names) {
    std::optional<std::vector<std::string>> card_names;
    try {
        card_names = stored_root_order(fs, drives, drive);
    } catch (const Failure&) {
        // A card pulled after its last file: its order cannot be seen, and the run
        // itself has succeeded.
        return std::nullopt;
    }
    if (!card_names)
        return std::nullopt;
    return first_out_of_order(list_names, *card_names);
}

std::string order_differs_message(std::string_view name) {
    return "カードの中のファイルの順序が転送リストと違います。\n順序が違う最初のファイル：" +
           std::string(name);
}

} // namespace kadoru
