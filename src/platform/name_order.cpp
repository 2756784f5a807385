#include "platform/name_order.h"

#include "platform/ascii_case.h"

#include <algorithm>

namespace kadoru {

void sort_names_for_people(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        if (less_ignoring_case(a, b))
            return true;
        if (less_ignoring_case(b, a))
            return false;
        return a < b;
    });
}

} // namespace kadoru
