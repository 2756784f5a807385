#include "transfer/list_sources.h"

#include "platform/card_files.h"
#include "platform/failure.h"
#include "transfer_list/transfer_list.h"

#include <algorithm>
#include <iterator>

namespace kadoru {

std::vector<CheckedSource> check_sources(const CardFiles& fs, const TransferList& list) {
    std::vector<CheckedSource> result;
    for (int i = 0; i < list.count(); ++i) {
        const std::string& source = list.row(i).source_path;
        const auto stamp = fs.readable_file(source);
        const auto id = stamp ? fs.file_id(source) : std::nullopt;
        if (!id) {
            if (fs.is_folder(source))
                throw Failure(failure_code::path_file_access_error);
            throw Failure(fs.is_file(source) ? failure_code::permission_denied
                                             : failure_code::file_not_found);
        }
        result.push_back({*id, stamp->size});
    }
    return result;
}

bool is_source_of_row(const CardFiles& fs, const std::string& path,
                      const std::vector<CheckedSource>& sources, int first_row) {
    const auto id = fs.file_id(path);
    return id && std::any_of(std::next(sources.begin(), first_row), sources.end(),
                             [&](const CheckedSource& s) { return s.id == *id; });
}

} // namespace kadoru
