#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kadoru {

// The native folder separator; on Windows it is the backslash the program speaks of.
// Kept for the Windows pair of the platform layer.
#ifdef _WIN32
inline constexpr char path_separator = '\\';
// Win32 takes "/" between folders as it takes the backslash.
inline constexpr std::string_view path_separators = "\\/";
#else
inline constexpr char path_separator = '/';
inline constexpr std::string_view path_separators = "/";
#endif

constexpr bool is_path_separator(char c) {
    return path_separators.find(c) != std::string_view::npos;
}

// A folder path and a name joined by one separator: none is added when the folder
// already ends with one, as a drive's root folder does.
std::string join_path(std::string_view folder, std::string_view name);

// The folder that holds a path: what comes before its last separator. A root folder
// keeps its separator ("/", "e:\"), and a bare name lies in the working folder ".".
std::string parent_folder(std::string_view path);

// True when the path is the folder itself or lies anywhere below it. A folder that
// ends with a separator (a root folder) holds every path that starts with it.
bool is_within(std::string_view path, std::string_view folder);

// True for a drive string: one letter and a colon, nothing after it ("e:", "C:").
bool is_drive_string(std::string_view text);

// The drive string named by a text's first letter and colon ("C:\Music" -> "c:"),
// or an empty string when the text does not start with one.
std::string leading_drive_string(std::string_view text);

// Whether the name's last three characters, in upper case, are exactly the type
// text. No dot is needed ("xmp3" is an MP3); a name of fewer than three characters
// never matches. Characters, not bytes, count, so Japanese names work.
bool has_type_suffix(std::string_view name, std::string_view type_text);

// The song types the program copies, as the type selector offers them.
inline constexpr std::array<std::string_view, 3> song_types = {"MP3", "WMA", "WAV"};

} // namespace kadoru
