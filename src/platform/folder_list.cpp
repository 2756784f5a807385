#include "platform/folder_list.h"

#include "platform/drives.h"
#include "platform/failure.h"
#include "platform/name_order.h"
#include "platform/paths.h"
#include "platform/source_files.h"

#include <algorithm>
#include <utility>

namespace kadoru {

namespace {

// Drops a final separator, except the one that is the whole root folder.
std::string without_final_separator(std::string_view path) {
    std::string result(path);
    while (result.size() > 1 && result.back() == path_separator &&
           !is_drive_string(std::string_view(result).substr(0, result.size() - 1)))
        result.pop_back();
    return result;
}

} // namespace

FolderList::FolderList(Drives& drives, const SourceFiles& fs, std::string initial_path)
    : drives_(drives), fs_(fs), path_(std::move(initial_path)) {
}

void FolderList::assign(std::string_view text) {
    std::string target;
    std::string drive;
    if (is_drive_string(text)) {
        drive = leading_drive_string(text);
        if (!drives_.is_ready(drive))
            throw Failure(failure_code::device_unavailable);
        target = drives_.current_folder(drive);
    } else {
        target = without_final_separator(text);
        if (target.empty() || !fs_.is_folder(target))
            throw Failure(failure_code::path_not_found);
        drive = drives_.drive_of(target);
    }
    drives_.set_current_folder(drive, target);
    if (target == path_)
        return;
    path_ = std::move(target);
    changed.notify();
    if (on_change)
        on_change();
}

std::vector<std::string> FolderList::ancestors() const {
    std::vector<std::string> chain;
    std::string root;
    try {
        root = drives_.root_of(drives_.drive_of(path_));
    } catch (const Failure&) {
        // Silent: a drive gone since its folder was shown still shows that folder alone.
        return {path_};
    }
    for (std::string folder = path_;;) {
        chain.push_back(folder);
        if (folder.size() <= root.size() || folder.find(path_separator) == std::string::npos)
            break;
        folder = parent_folder(folder);
        if (folder.size() < root.size())
            folder = root;
    }
    std::reverse(chain.begin(), chain.end());
    return chain;
}

std::vector<std::string> FolderList::subfolders() const {
    std::vector<std::string> names;
    try {
        names = fs_.subfolders(path_);
    } catch (const Failure&) {
        // Silent: a folder that cannot be read shows no folders in it; opening one tells.
        return {};
    }
    sort_names_for_people(names);
    return names;
}

std::vector<FolderList::Row> FolderList::rows() const {
    std::vector<Row> rows;
    const auto last_part = [](const std::string& path) {
        const auto cut = path.find_last_of(path_separator);
        return cut == std::string::npos ? path : path.substr(cut + 1);
    };
    for (auto& path : ancestors()) {
        const int depth = static_cast<int>(rows.size());
        std::string name = depth == 0 ? path : last_part(path);
        rows.push_back({std::move(path), std::move(name), depth});
    }
    if (rows.empty())
        return rows;
    rows.back().current = true;
    const int depth = static_cast<int>(rows.size());
    for (auto& name : subfolders())
        rows.push_back({join_path(path_, name), std::move(name), depth});
    return rows;
}

} // namespace kadoru
