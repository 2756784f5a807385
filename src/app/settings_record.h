#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kadoru {

// What start-up gets from the settings record, each value on its own: any may be
// unusable without spoiling the others.
struct LoadedSettings {
    // Names the remembered folder's drive: on Windows the record's first three
    // characters ("C:\"); elsewhere the folder text itself, which names the drive
    // that holds it. Empty when the record could not be read.
    std::string source_drive_text;
    // The text before the first comma; absent when the record has none.
    std::optional<std::string> folder;
    // The two characters after the first comma (the line's first two without one).
    std::string destination_drive;

    friend bool operator==(const LoadedSettings&, const LoadedSettings&) = default;
};

// How the record's folder names its drive: a drive letter in front, or the mount
// that holds a native path.
enum class PathStyle { windows, posix };

// Kept for the Windows pair of the platform layer, whose records name their drive
// by its letter.
#ifdef _WIN32
inline constexpr PathStyle native_path_style = PathStyle::windows;
#else
inline constexpr PathStyle native_path_style = PathStyle::posix;
#endif

// The record as saved: folder, ",", drive string; no line end.
std::string settings_record(std::string_view folder, std::string_view drive);

// The values of a record's first line (the text before any line break).
LoadedSettings parse_settings_line(std::string_view line, PathStyle style = native_path_style);

} // namespace kadoru
