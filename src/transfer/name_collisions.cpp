#include "transfer/name_collisions.h"

#include "transfer/card_name.h"
#include "transfer/list_sources.h"

#include <cstddef>

namespace kadoru {

namespace {

// More names than this would hide the question below them.
constexpr std::size_t most_names_shown = 10;

} // namespace

std::vector<int> colliding_rows(const std::vector<std::string>& card_names,
                                const std::vector<CheckedSource>& sources, bool names_ignore_case) {
    std::vector<int> rows;
    for (std::size_t i = 0; i < card_names.size(); ++i)
        for (std::size_t j = 0; j < card_names.size(); ++j)
            if (i != j && same_entry_name(card_names[i], card_names[j], names_ignore_case) &&
                sources[i].id != sources[j].id) {
                rows.push_back(static_cast<int>(i));
                break;
            }
    return rows;
}

std::string collision_question(const std::vector<std::string>& names) {
    std::string text = "次の曲はカードの中で同じ名前になります。同じ名前の曲は、"
                       "それぞれリストの最後のものだけがカードに残ります：\n";
    for (std::size_t i = 0; i < names.size() && i < most_names_shown; ++i)
        text += "\n" + names[i];
    if (names.size() > most_names_shown)
        text += "\nほか" + std::to_string(names.size() - most_names_shown) + "曲";
    return text + "\n\n転送を続けますか？";
}

} // namespace kadoru
