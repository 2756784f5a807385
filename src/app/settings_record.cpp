#include "app/settings_record.h"

namespace kadoru {

std::string settings_record(std::string_view folder, std::string_view drive) {
    std::string record;
    record.reserve(folder.size() + 1 + drive.size());
    record.append(folder).append(",").append(drive);
    return record;
}

LoadedSettings parse_settings_line(std::string_view line, PathStyle style) {
    LoadedSettings loaded;
    const auto comma = line.find(',');
    const std::string_view before_comma = line.substr(0, comma);
    loaded.source_drive_text =
        std::string(style == PathStyle::windows ? line.substr(0, 3) : before_comma);
    if (comma != std::string_view::npos)
        loaded.folder = std::string(before_comma);
    // Without a comma the drive is read from the line's start, as if the comma stood
    // before its first character.
    const std::size_t drive_start = comma == std::string_view::npos ? 0 : comma + 1;
    loaded.destination_drive = std::string(line.substr(drive_start, 2));
    return loaded;
}

} // namespace kadoru
