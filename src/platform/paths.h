#pragma once

#include <string>
#include <string_view>

namespace kadoru {

// The native folder separator; on Windows it is the backslash the program speaks of.
#ifdef _WIN32
inline constexpr char path_separator = '\\';
#else
inline constexpr char path_separator = '/';
#endif

// A folder path and a name joined by one separator: none is added when the folder
// already ends with one, as a drive's root folder does.
std::string join_path(std::string_view folder, std::string_view name);

// True for a drive string: one letter and a colon, nothing after it ("e:", "C:").
bool is_drive_string(std::string_view text);

// The drive string named by a text's first letter and colon ("C:\Music" -> "c:"),
// or an empty string when the text does not start with one.
std::string leading_drive_string(std::string_view text);

} // namespace kadoru
