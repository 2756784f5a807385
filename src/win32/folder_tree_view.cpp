#include "win32/folder_tree_view.h"

#include "platform/windows/wide_text.h"

namespace kadoru {

void FolderTreeView::draw(const std::vector<FolderList::Row>& rows) {
    ::SendMessageW(tree_, WM_SETREDRAW, FALSE, 0);
    TreeView_DeleteAllItems(tree_);
    std::vector<HTREEITEM> parents{TVI_ROOT};
    HTREEITEM current = nullptr;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        const auto depth = static_cast<std::size_t>(row.depth);
        parents.resize(std::min(parents.size(), depth + 1));
        std::wstring name = to_wide(row.name);
        TVINSERTSTRUCTW insert{};
        insert.hParent = parents.back();
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = name.data();
        insert.item.lParam = static_cast<LPARAM>(i);
        HTREEITEM item = TreeView_InsertItem(tree_, &insert);
        if (insert.hParent != TVI_ROOT)
            TreeView_Expand(tree_, insert.hParent, TVE_EXPAND);
        parents.push_back(item);
        if (row.current)
            current = item;
    }
    shown_ = rows;
    if (current != nullptr) {
        TreeView_SelectItem(tree_, current);
        TreeView_EnsureVisible(tree_, current);
    }
    ::SendMessageW(tree_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(tree_, nullptr, TRUE);
}

std::optional<std::string> FolderTreeView::folder_of(HTREEITEM item) const {
    if (item == nullptr)
        return std::nullopt;
    TVITEMW data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    if (TreeView_GetItem(tree_, &data) == FALSE)
        return std::nullopt;
    const auto row = static_cast<std::size_t>(data.lParam);
    if (row >= shown_.size())
        return std::nullopt;
    return shown_[row].path;
}

std::optional<std::string> FolderTreeView::folder_under_pointer() const {
    TVHITTESTINFO hit{};
    const DWORD place = ::GetMessagePos();
    hit.pt = {static_cast<short>(LOWORD(place)), static_cast<short>(HIWORD(place))};
    ::ScreenToClient(tree_, &hit.pt);
    HTREEITEM item = TreeView_HitTest(tree_, &hit);
    if ((hit.flags & TVHT_ONITEM) == 0)
        return std::nullopt;
    return folder_of(item);
}

std::optional<std::string> FolderTreeView::selected_folder() const {
    return folder_of(TreeView_GetSelection(tree_));
}

} // namespace kadoru
