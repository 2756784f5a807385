#pragma once
#include <string_view>
namespace kadoru {
// True when a sorts before b: runs of digits compare by value, letters without regard to case.
bool natural_less(std::string_view a, std::string_view b);
} // namespace kadoru
