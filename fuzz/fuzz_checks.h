#pragma once
// What the fuzz targets check of every result, beyond "no crash".

#include <cstddef>
#include <optional>
#include <string_view>

namespace kadoru::fuzz {

// Stops the run with the input that broke a property.
inline void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

// How many UTF-16 units well-formed UTF-8 takes (shortest forms, no surrogates, at
// most U+10FFFF); nullopt for anything else.
inline std::optional<std::size_t> utf16_length(std::string_view text) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
        const unsigned char lead = byte(i);
        const std::size_t length = lead < 0x80   ? 1
                                   : lead < 0xC2 ? 0
                                   : lead < 0xE0 ? 2
                                   : lead < 0xF0 ? 3
                                   : lead < 0xF5 ? 4
                                                 : 0;
        if (length == 0 || i + length > text.size())
            return std::nullopt;
        for (std::size_t k = 1; k < length; ++k)
            if ((byte(i + k) & 0xC0) != 0x80)
                return std::nullopt;
        const unsigned char second = length > 1 ? byte(i + 1) : 0x80;
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
            (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90))
            return std::nullopt;
        units += length == 4 ? 2 : 1;
        i += length;
    }
    return units;
}

} // namespace kadoru::fuzz
