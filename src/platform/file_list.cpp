#include "platform/file_list.h"

#include "platform/ascii_case.h"
#include "platform/failure.h"
#include "platform/name_order.h"
#include "platform/source_files.h"

#include <utility>

namespace kadoru {

bool matches_pattern(std::string_view name, std::string_view pattern) {
    // Greedy matching with one back-track point: linear for a single "*".
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t star = std::string_view::npos;
    std::size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || same_ignoring_case(pattern[p], name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

FileList::FileList(const SourceFiles& fs) : fs_(fs) {
}

void FileList::show(std::string path, std::string pattern) {
    path_ = std::move(path);
    pattern_ = std::move(pattern);
    refill();
}

void FileList::set_selected(int i, bool selected) {
    selected_.at(static_cast<std::size_t>(i)) = selected ? 1 : 0;
}

void FileList::refill() {
    rows_.clear();
    try {
        for (auto& file : fs_.files(path_))
            if (matches_pattern(file.name, pattern_))
                rows_.push_back(std::move(file.name));
    } catch (const Failure&) {
        // Silent: the folder handler that showed this folder tells why it cannot be read.
        rows_.clear();
    }
    sort_names_for_people(rows_);
    selected_.assign(rows_.size(), 0);
    changed.notify();
}

} // namespace kadoru
