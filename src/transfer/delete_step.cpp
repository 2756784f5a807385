#include "transfer/delete_step.h"

#include "platform/paths.h"
#include "transfer/list_sources.h"

namespace kadoru {

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
