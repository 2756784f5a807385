#pragma once

#include "transfer_list/arranged_list_intents.h"

#include <string>
#include <vector>

namespace kadoru {

// What List2 does beyond any arranged list: files dropped from a file manager and
// its context menu. Each action does nothing while the list may not be edited
// (during a run, when the run reads it; the menu is greyed then); the selection is
// the user's to change at any time.
class TransferListActions : public ArrangedListIntents {
public:
    // Files, folders and playlists dropped from a file manager, in drop order.
    virtual void add_dropped(const std::vector<std::string>& paths) = 0;
    virtual void add_playlist(const std::string& path) = 0; // "プレイリストを追加…"
    virtual void save_playlist(const std::string& path) = 0; // "プレイリストとして保存…"
    virtual void sort_by_name() = 0;
    virtual void sort_by_track() = 0;
    virtual void shuffle() = 0;
};

} // namespace kadoru
