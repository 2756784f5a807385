#pragma once

#include "platform/paths.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace kadoru::test {

// A path as the fakes keep it, with "/" between folders. On Windows the program joins
// names with "\", which Win32 takes as it takes "/": the fakes do the same, so that the
// tests' paths and expectations read alike on both pairs of the platform layer.
inline std::string fake_path(std::string_view path) {
    std::string text(path);
    if constexpr (path_separator != '/') {
        std::replace(text.begin(), text.end(), path_separator, '/');
        // The root folder "/" joined with a name.
        for (auto twice = text.find("//"); twice != std::string::npos; twice = text.find("//"))
            text.erase(twice, 1);
    }
    return text;
}

} // namespace kadoru::test
