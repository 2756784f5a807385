#include "platform/paths.h"

#include "platform/ascii_case.h"

#include <cctype>

namespace kadoru {

std::string join_path(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (path.empty() || path.back() != path_separator)
        path += path_separator;
    path += name;
    return path;
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

} // namespace kadoru
