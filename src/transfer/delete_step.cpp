#include "transfer/delete_step.h"

#include "platform/ascii_case.h"
#include "platform/paths.h"
#include "transfer/list_sources.h"

namespace kadoru {

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

std::vector<FileEntry> files_to_delete(const CardFiles& fs, const std::string& root,
                                       const std::vector<FileEntry>& listing,
                                       std::string_view type_text,
                                       const std::vector<CheckedSource>& sources) {
    std::vector<FileEntry> result;
    for (const FileEntry& file : listing)
        if (has_type_suffix(file.name, type_text) &&
            !is_source_of_row(fs, join_path(root, file.name), sources))
            result.push_back(file);
    return result;
}

} // namespace kadoru
