#include "transfer/card_name.h"

#include "platform/ascii_case.h"
#include "platform/entry_order.h"

#include <cstddef>

namespace kadoru {

namespace {

// The longest name FAT and exFAT hold, in UTF-16 units.
constexpr std::size_t max_name_units = 255;
// An extension longer than this is no extension worth keeping whole.
constexpr std::size_t max_kept_extension_units = 16;
// Full-width forms lie this far above their ASCII characters.
constexpr char32_t full_width_offset = 0xFEE0;

bool is_forbidden(char c) {
    switch (c) {
    case '"':
    case '*':
    case '/':
    case ':':
    case '<':
    case '>':
    case '?':
    case '\\':
    case '|':
        return true;
    default:
        return false;
    }
}

bool is_control(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

bool is_continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}

// UTF-8 of a character from the Basic Multilingual Plane above U+07FF.
std::string utf8_of(char32_t c) {
    return {static_cast<char>(0xE0U | (c >> 12U)), static_cast<char>(0x80U | ((c >> 6U) & 0x3FU)),
            static_cast<char>(0x80U | (c & 0x3FU))};
}

// The UTF-16 units of the UTF-8 character that starts with this byte: two for one
// beyond the Basic Multilingual Plane, one for any other (a stray byte included).
std::size_t units_of_lead(char c) {
    return (static_cast<unsigned char>(c) & 0xF8U) == 0xF0U ? 2 : 1;
}

std::size_t utf16_units(std::string_view text) {
    std::size_t units = 0;
    for (const char c : text)
        if (!is_continuation(c))
            units += units_of_lead(c);
    return units;
}

// The longest start of the text, whole characters only, of at most max_units.
std::string_view first_units(std::string_view text, std::size_t max_units) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (is_continuation(text[i]))
            continue;
        units += units_of_lead(text[i]);
        if (units > max_units)
            return text.substr(0, i);
    }
    return text;
}

void drop_trailing_dots_and_spaces(std::string& name) {
    while (!name.empty() && (name.back() == '.' || name.back() == ' '))
        name.pop_back();
}

} // namespace

bool holds_only_card_names(std::string_view file_system_type) {
    // The file systems that fill holes in their folders are exactly FAT and exFAT.
    return keeps_entry_order(file_system_type);
}

bool same_entry_name(std::string_view a, std::string_view b, bool names_ignore_case) {
    return names_ignore_case ? same_ignoring_case(a, b) : a == b;
}

std::string card_name(std::string_view name) {
    std::string result;
    result.reserve(name.size());
    for (const char c : name) {
        if (is_forbidden(c))
            result += utf8_of(static_cast<char32_t>(c) + full_width_offset);
        else if (!is_control(c))
            result += c;
    }
    drop_trailing_dots_and_spaces(result);
    if (result.empty())
        return "_";
    if (utf16_units(result) <= max_name_units)
        return result;

    const std::size_t dot = result.rfind('.');
    std::string_view extension;
    if (dot != std::string::npos && dot > 0 &&
        utf16_units(std::string_view(result).substr(dot)) <= max_kept_extension_units)
        extension = std::string_view(result).substr(dot);
    std::string shortened(
        first_units(std::string_view(result).substr(0, result.size() - extension.size()),
                    max_name_units - utf16_units(extension)));
    if (extension.empty())
        drop_trailing_dots_and_spaces(shortened);
    return shortened + std::string(extension);
}

} // namespace kadoru
