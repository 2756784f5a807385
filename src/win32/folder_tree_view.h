#pragma once

#include "platform/folder_list.h"
#include "platform/windows/windows_api.h"

#include <commctrl.h>
#include <optional>
#include <string>
#include <vector>

namespace kadoru {

// Draws Dir1's rows into a tree view: each row under the last row one level up,
// all open, the current folder selected. A folder is opened by a double-click or the
// space bar; the tree names the folder, the window sends the intent.
class FolderTreeView {
public:
    explicit FolderTreeView(HWND tree) : tree_(tree) {}

    HWND window() const { return tree_; }
    void draw(const std::vector<FolderList::Row>& rows);
    // The folder of the row under the pointer (a double-click), or of the selected
    // row (the space bar).
    std::optional<std::string> folder_under_pointer() const;
    std::optional<std::string> selected_folder() const;

private:
    std::optional<std::string> folder_of(HTREEITEM item) const;

    HWND tree_;
    std::vector<FolderList::Row> shown_;
};

} // namespace kadoru
