#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

struct CheckedSource;

// The rows, in list order, that share their card name with a row of another source
// file, names compared as the card compares them (letter case ignored on FAT and
// exFAT): of each such name only the last row's song stays on the card. The same
// file listed twice loses nothing and is no collision.
std::vector<int> colliding_rows(const std::vector<std::string>& card_names,
                                const std::vector<CheckedSource>& sources, bool names_ignore_case);

inline constexpr std::string_view collision_title = "上書きの確認";
// Names the rows' songs (the list's own names), ten at most and then how many more,
// and asks whether to go on.
std::string collision_question(const std::vector<std::string>& names);

} // namespace kadoru
