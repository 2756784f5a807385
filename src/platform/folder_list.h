#pragma once

#include "platform/notifier.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

class Drives;
class SourceFiles;

// The logic of the folder list (Dir1): the current folder and its change processing.
class FolderList {
public:
    FolderList(Drives& drives, const SourceFiles& fs, std::string initial_path);

    // The current folder, without a final separator except for a drive's root folder.
    const std::string& path() const { return path_; }

    // A drive string makes that drive's current folder current (68 when the drive
    // is not ready); a folder path makes that folder current (76 when it does not
    // exist). The folder becomes its drive's current folder. When the folder
    // changes, the views are told and on_change runs before assign returns.
    void assign(std::string_view text);

    // For the views: the folders from the drive's root down to the current one,
    // and the names of the folders in the current one, sorted for people.
    std::vector<std::string> ancestors() const;
    std::vector<std::string> subfolders() const;

    // The rows a view shows, each a level deeper than the one before down to the
    // current folder, then the folders in it one level deeper still. A folder goes by
    // its last part; a drive's root folder by its whole path, as it names the drive.
    struct Row {
        std::string path;
        std::string name;
        int depth = 0;
        bool current = false;
    };
    std::vector<Row> rows() const;

    std::function<void()> on_change;
    Notifier changed;

private:
    Drives& drives_;
    const SourceFiles& fs_;
    std::string path_;
};

} // namespace kadoru
