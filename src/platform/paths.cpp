#include "platform/paths.h"

#include "platform/ascii_case.h"

#include <cctype>

namespace kadoru {

std::string join_path(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (path.empty() || !is_path_separator(path.back()))
        path += path_separator;
    path += name;
    return path;
}

std::string parent_folder(std::string_view path) {
    const auto cut = path.find_last_of(path_separators);
    if (cut == std::string_view::npos)
        return ".";
    const std::string_view before = path.substr(0, cut);
    const bool root = before.empty() || is_drive_string(before);
    return std::string(root ? path.substr(0, cut + 1) : before);
}

bool is_within(std::string_view path, std::string_view folder) {
    return path.starts_with(folder) &&
           (path.size() == folder.size() || (!folder.empty() && is_path_separator(folder.back())) ||
            is_path_separator(path[folder.size()]));
}

bool is_drive_string(std::string_view text) {
    return text.size() == 2 && std::isalpha(static_cast<unsigned char>(text[0])) != 0 &&
           text[1] == ':';
}

std::string leading_drive_string(std::string_view text) {
    if (text.size() < 2 || !is_drive_string(text.substr(0, 2)))
        return {};
    return {ascii_lower(text[0]), ':'};
}

namespace {

constexpr int suffix_characters = 3;

bool is_continuation_byte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}

} // namespace

bool has_type_suffix(std::string_view name, std::string_view type_text) {
    // Walks back over three UTF-8 characters.
    std::size_t start = name.size();
    for (int found = 0; found < suffix_characters; ++found) {
        if (start == 0)
            return false;
        --start;
        while (start > 0 && is_continuation_byte(name[start]))
            --start;
    }
    const std::string_view suffix = name.substr(start);
    if (suffix.size() != type_text.size())
        return false;
    for (std::size_t i = 0; i < suffix.size(); ++i)
        if (ascii_upper(suffix[i]) != type_text[i])
            return false;
    return true;
}

} // namespace kadoru
