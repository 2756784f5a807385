#pragma once

#include "platform/notifier.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kadoru {

class SourceFiles;

// The logic of the file list (File1): the files directly in one folder whose names
// match a pattern, sorted for people, with extended selection.
class FileList {
public:
    explicit FileList(const SourceFiles& fs);

    const std::string& path() const { return path_; }
    const std::string& pattern() const { return pattern_; }
    // Lists the folder's files that match the pattern anew and clears the selection.
    // A folder that cannot be read lists nothing.
    void show(std::string path, std::string pattern);

    int count() const { return static_cast<int>(rows_.size()); }
    const std::string& row(int i) const { return rows_.at(static_cast<std::size_t>(i)); }
    bool selected(int i) const { return selected_.at(static_cast<std::size_t>(i)) != 0; }
    // Changes one row's selected flag; views tell the logic of the user's selection
    // this way, then run on_click.
    void set_selected(int i, bool selected);

    std::function<void()> on_click;
    std::function<void()> on_double_click;
    Notifier changed;

private:
    void refill();

    const SourceFiles& fs_;
    std::string path_;
    std::string pattern_ = "*.*";
    std::vector<std::string> rows_;
    std::vector<char> selected_;
};

// Whether a name matches a wildcard pattern ("*" any run, "?" one character),
// ignoring the letter case of ASCII letters.
bool matches_pattern(std::string_view name, std::string_view pattern);

} // namespace kadoru
