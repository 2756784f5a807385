#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

// True when a sorts before b as people expect to find names in a list: runs of
// digits compare by their value ("2" before "10", "007" equal to "7"), ASCII
// letters without regard to case, everything else by its UTF-8 bytes, which is
// the order of its characters. Full-width digits (０-９), common in Japanese
// names, count as digits. Names that differ only in case or leading zeros are
// equivalent: neither sorts before the other.
bool natural_less(std::string_view a, std::string_view b);

// Sorts names in natural order, ties broken by the exact bytes so the order of a
// listing never depends on the order the directory gave it.
void sort_names_for_people(std::vector<std::string>& names);

} // namespace kadoru
