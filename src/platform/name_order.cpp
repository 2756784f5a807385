#include "platform/name_order.h"

#include <algorithm>
#include <cctype>

namespace kadoru {

void sort_names_for_people(std::vector<std::string>& names) {
    const auto folded_less = [](const std::string& a, const std::string& b) {
        const auto fold = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [&](char x, char y) { return fold(x) < fold(y); });
    };
    std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        if (folded_less(a, b))
            return true;
        if (folded_less(b, a))
            return false;
        return a < b;
    });
}

} // namespace kadoru
