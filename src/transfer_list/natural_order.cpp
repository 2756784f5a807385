#include "transfer_list/natural_order.h"

#include <cctype>
#include <cstddef>

namespace kadoru {

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

unsigned char folded(char c) {
    return static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)));
}

// The run of digits starting at i, without its leading zeros; i moves past the run.
std::string_view digit_run(std::string_view text, std::size_t& i) {
    while (i < text.size() && text[i] == '0')
        ++i;
    const std::size_t first = i;
    while (i < text.size() && is_digit(text[i]))
        ++i;
    return text.substr(first, i - first);
}

} // namespace

bool natural_less(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (is_digit(a[i]) && is_digit(b[j])) {
            // Without leading zeros the longer run is the larger number, whatever its length.
            const std::string_view x = digit_run(a, i);
            const std::string_view y = digit_run(b, j);
            if (x.size() != y.size())
                return x.size() < y.size();
            if (x != y)
                return x < y;
            continue;
        }
        // Other bytes by value: UTF-8 keeps the order of the characters' code points.
        const unsigned char x = folded(a[i]);
        const unsigned char y = folded(b[j]);
        if (x != y)
            return x < y;
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

} // namespace kadoru
