#include "platform/name_order.h"

#include "platform/ascii_case.h"

#include <algorithm>
#include <cstddef>
#include <optional>

namespace kadoru {

namespace {

// A digit at the start of a text: its value and how many bytes it takes.
struct Digit {
    int value;
    std::size_t width;
};

std::optional<Digit> digit_at(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) {
        return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0U;
    };
    if (byte(0) >= '0' && byte(0) <= '9')
        return Digit{static_cast<int>(byte(0) - '0'), 1};
    // U+FF10 to U+FF19 in UTF-8: EF BC 90 to EF BC 99.
    if (byte(0) == 0xEF && byte(1) == 0xBC && byte(2) >= 0x90 && byte(2) <= 0x99)
        return Digit{static_cast<int>(byte(2) - 0x90), 3};
    return std::nullopt;
}

// A run of digits: where it starts once its leading zeros are skipped, where it
// ends, and how many digits are left, which orders two runs of different length.
struct Number {
    std::size_t significant;
    std::size_t end;
    std::size_t digits = 0;
};

Number number_at(std::string_view text, std::size_t at) {
    Number number{at, at};
    bool leading = true;
    while (const auto digit = digit_at(text, number.end)) {
        if (leading && digit->value == 0) {
            number.significant = number.end + digit->width;
        } else {
            leading = false;
            ++number.digits;
        }
        number.end += digit->width;
    }
    return number;
}

// Compares two runs of digits by value: -1, 0 or 1.
int compare_numbers(std::string_view a, const Number& x, std::string_view b, const Number& y) {
    if (x.digits != y.digits)
        return x.digits < y.digits ? -1 : 1;
    std::size_t i = x.significant;
    std::size_t j = y.significant;
    while (i < x.end) {
        const auto p = *digit_at(a, i);
        const auto q = *digit_at(b, j);
        if (p.value != q.value)
            return p.value < q.value ? -1 : 1;
        i += p.width;
        j += q.width;
    }
    return 0;
}

// Where a number meets another character, it sorts as a "0" would: after spaces
// and punctuation such as "-" and ".", before letters and other scripts.
constexpr unsigned char number_key = '0';

// Compares two names in natural order: -1, 0 or 1.
int natural_compare(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const bool a_digit = digit_at(a, i).has_value();
        const bool b_digit = digit_at(b, j).has_value();
        if (a_digit && b_digit) {
            const Number x = number_at(a, i);
            const Number y = number_at(b, j);
            if (const int order = compare_numbers(a, x, b, y); order != 0)
                return order;
            i = x.end;
            j = y.end;
            continue;
        }
        const unsigned char p =
            a_digit ? number_key : static_cast<unsigned char>(ascii_lower(a[i]));
        const unsigned char q =
            b_digit ? number_key : static_cast<unsigned char>(ascii_lower(b[j]));
        if (p != q)
            return p < q ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

} // namespace

bool natural_less(std::string_view a, std::string_view b) {
    return natural_compare(a, b) < 0;
}

void sort_names_for_people(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int order = natural_compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
}

} // namespace kadoru
