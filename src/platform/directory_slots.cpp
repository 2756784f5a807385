#include "platform/directory_slots.h"

#include <algorithm>

namespace kadoru {

namespace {

constexpr int units_per_long_slot = 13;

bool is_upper_short_name(std::string_view name) {
    const auto dot = name.find('.');
    const std::string_view base = name.substr(0, dot);
    const std::string_view ext = dot == std::string_view::npos ? "" : name.substr(dot + 1);
    const auto plain = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
    };
    return !base.empty() && base.size() <= 8 && ext.size() <= 3 &&
           std::all_of(base.begin(), base.end(), plain) &&
           std::all_of(ext.begin(), ext.end(), plain);
}

} // namespace

int utf16_units(std::string_view name) {
    // A lead byte of a four-byte sequence starts a character of two units;
    // continuation bytes start none.
    int units = 0;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0U) == 0x80U)
            continue;
        units += byte >= 0xF0U ? 2 : 1;
    }
    return units;
}

int slots_for_name(std::string_view name) {
    return (utf16_units(name) + units_per_long_slot - 1) / units_per_long_slot + 1;
}

int slots_held_at_least(std::string_view name) {
    return is_upper_short_name(name) ? 1 : slots_for_name(name);
}

} // namespace kadoru
