#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kadoru {

// A path of the program's (UTF-8) as std::filesystem takes it, and back. A narrow
// string would pass through the ANSI code page on Windows and come back
// double-encoded; on POSIX both are the same bytes.
inline std::filesystem::path std_path(std::string_view utf8) {
    return {std::u8string(utf8.begin(), utf8.end())};
}

inline std::string utf8_of(const std::filesystem::path& path) {
    const auto text = path.u8string();
    return {text.begin(), text.end()};
}

} // namespace kadoru
