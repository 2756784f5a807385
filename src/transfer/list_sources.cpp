#include "transfer/list_sources.h"

#include "platform/file_system.h"
#include "platform/paths.h"
#include "transfer_list/transfer_list.h"

#include <algorithm>
#include <string_view>

namespace kadoru {

namespace {

std::string folder_of(std::string_view path) {
    const auto cut = path.find_last_of(path_separator);
    if (cut == std::string_view::npos)
        return {};
    // Keeps the separator that is the whole root folder ("/" or "e:\").
    const bool root = cut == 0 || (cut > 0 && path[cut - 1] == ':');
    return std::string(path.substr(0, root ? cut + 1 : cut));
}

} // namespace

std::vector<SourceInFolder> sources_in_folder(const FileSystem& fs, const TransferList& list,
                                              const std::string& folder) {
    std::vector<SourceInFolder> result;
    for (int i = 0; i < list.count(); ++i) {
        const std::string& source = list.row(i).source_path;
        const std::string parent = folder_of(source);
        if (!parent.empty() && fs.same_file(parent, folder))
            result.push_back({i, source});
    }
    return result;
}

bool is_source_of_row(const FileSystem& fs, const std::string& path,
                      const std::vector<SourceInFolder>& sources, int first_row) {
    return std::any_of(sources.begin(), sources.end(), [&](const SourceInFolder& s) {
        return s.row >= first_row && fs.same_file(path, s.path);
    });
}

} // namespace kadoru
