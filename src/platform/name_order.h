#pragma once

#include <string>
#include <vector>

namespace kadoru {

// Sorts names as people expect to find them in a list: letter case ignored
// (ASCII), ties broken by the exact bytes so the order is stable.
void sort_names_for_people(std::vector<std::string>& names);

} // namespace kadoru
