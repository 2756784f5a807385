#pragma once

#include <string>
#include <vector>

namespace kadoru {

// What the transfer list's own drag and drop and context menu do. Each action does
// nothing while the list may not be edited (during a run, when the run reads it);
// the selection is the user's to change at any time.
class TransferListActions {
public:
    virtual ~TransferListActions() = default;

    // False while the list commands are locked; the list then offers no drag, takes no
    // drop and greys its menu.
    virtual bool list_editable() const = 0;
    // The selected entries, dragged, go before row `to` (the row count: the end).
    virtual void move_selected_to(int to) = 0;
    // Files, folders and playlists dropped from a file manager, in drop order.
    virtual void add_dropped(const std::vector<std::string>& paths) = 0;
    virtual void add_playlist(const std::string& path) = 0; // "プレイリストを追加…"
    virtual void save_playlist(const std::string& path) = 0; // "プレイリストとして保存…"
    virtual void sort_by_name() = 0;
    virtual void sort_by_track() = 0;
    virtual void shuffle() = 0;
    // The user's selection of List2 (every selected row, sent whenever it changes)
    // and the row the user moved to (-1: none). A window never writes them itself.
    virtual void list_rows_selected(const std::vector<int>& rows) = 0;
    virtual void list_current_row(int row) = 0;
};

} // namespace kadoru
