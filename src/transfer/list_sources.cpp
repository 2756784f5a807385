#include "transfer/list_sources.h"

#include "platform/card_files.h"
#include "platform/paths.h"
#include "transfer_list/transfer_list.h"

#include <algorithm>

namespace kadoru {

std::vector<SourceInFolder> sources_in_folder(const CardFiles& fs, const TransferList& list,
                                              const std::string& folder) {
    std::vector<SourceInFolder> result;
    for (int i = 0; i < list.count(); ++i) {
        const std::string& source = list.row(i).source_path;
        if (fs.same_file(parent_folder(source), folder))
            result.push_back({i, source});
    }
    return result;
}

bool is_source_of_row(const CardFiles& fs, const std::string& path,
                      const std::vector<SourceInFolder>& sources, int first_row) {
    return std::any_of(sources.begin(), sources.end(), [&](const SourceInFolder& s) {
        return s.row >= first_row && fs.same_file(path, s.path);
    });
}

} // namespace kadoru
