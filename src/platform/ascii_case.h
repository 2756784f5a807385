#pragma once

#include <algorithm>
#include <string_view>

namespace kadoru {

// Letter case as file systems and drive strings ignore it: the ASCII letters only.
// Bytes of other characters (UTF-8 included) stay as they are, whatever the locale.

constexpr char ascii_upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char ascii_lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool same_ignoring_case(char a, char b) {
    return ascii_upper(a) == ascii_upper(b);
}

constexpr bool same_ignoring_case(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return same_ignoring_case(x, y); });
}

// Orders a before b when it comes first with letter case ignored; bytes compare
// unsigned, as std::string orders them.
constexpr bool less_ignoring_case(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(ascii_lower(x)) <
               static_cast<unsigned char>(ascii_lower(y));
    });
}

} // namespace kadoru
