#include "transfer_list/format_size.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace kadoru {

namespace {

// Rounds to two decimals the way the display rule wants it: value x 100 in double
// precision, to the nearest whole number with an exact half going to the even
// neighbour, then / 100.
double round_two_decimals(double value) {
    return std::nearbyint(value * 100.0) / 100.0;
}

// Plain decimal notation: no exponent, no separators, no trailing zeros.
std::string plain_number(double value) {
    std::array<char, 64> text{};
    const auto end =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 2)
            .ptr;
    std::string s(text.data(), end);
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    return s;
}

} // namespace

std::string format_size(double bytes) {
    const double k = std::floor(bytes / 1000.0);
    std::string text;
    if (k < 1000)
        text = plain_number(k) + "KB";
    if (k > 999)
        text = plain_number(round_two_decimals(k / 1000.0)) + "MB";
    if (k > 999999)
        text = plain_number(round_two_decimals(k / 1000000.0)) + "GB";
    return text;
}

} // namespace kadoru
