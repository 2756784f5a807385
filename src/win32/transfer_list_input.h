#pragma once

#include "platform/windows/windows_api.h"

#include <commctrl.h>
#include <shellapi.h>
#include <string>
#include <vector>

namespace kadoru {

class MessageBox;
class TransferListActions;

// What List2 takes beyond the list box's own keys and clicks: its selected rows
// dragged within it (comctl32's drag list, whose notices reach the main window), and
// files, folders and playlists dropped from Explorer. Neither is taken while the list
// may not be edited. Dropped paths are added only after the drop has returned, so
// Explorer never waits on a message box.
class TransferListInput {
public:
    TransferListInput(HWND list, TransferListActions& actions, MessageBox& errors);
    ~TransferListInput();
    TransferListInput(const TransferListInput&) = delete;
    TransferListInput& operator=(const TransferListInput&) = delete;
    TransferListInput(TransferListInput&&) = delete;
    TransferListInput& operator=(TransferListInput&&) = delete;

    // A step of a drag within List2, which the main window is sent (drag_list_message).
    LRESULT dragged(const DRAGLISTINFO& drag);

private:
    static LRESULT CALLBACK input(HWND list, UINT message, WPARAM wparam, LPARAM lparam,
                                  UINT_PTR id, DWORD_PTR self);
    void dropped(HDROP drop);

    HWND list_;
    TransferListActions& actions_;
    MessageBox& errors_;
    std::vector<std::string> pending_;
};

} // namespace kadoru
