#include "win32/transfer_list_input.h"

#include "app/transfer_list_actions.h"
#include "platform/guard.h"
#include "platform/windows/wide_text.h"
#include "win32/arranged_list_box.h"

namespace kadoru {

namespace {

// Posted to List2 by a drop: the paths are added once the drop has returned.
constexpr UINT add_dropped_message = WM_APP + 1;

} // namespace

TransferListInput::TransferListInput(HWND list, TransferListActions& actions, MessageBox& errors)
    : list_(list), actions_(actions), errors_(errors) {
    ::MakeDragList(list_);
    ::DragAcceptFiles(list_, TRUE);
    ::SetWindowSubclass(list_, &TransferListInput::input, 1, reinterpret_cast<DWORD_PTR>(this));
}

TransferListInput::~TransferListInput() {
    ::RemoveWindowSubclass(list_, &TransferListInput::input, 1);
}

LRESULT TransferListInput::dragged(const DRAGLISTINFO& drag) {
    return drag_rows(list_, drag, actions_, errors_);
}

void TransferListInput::dropped(HDROP drop) {
    std::vector<std::string> paths;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(::DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(::DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(to_utf8(path));
    }
    ::DragFinish(drop);
    bool editable = false;
    guarded(errors_, [&] { editable = actions_.list_editable(); });
    if (!editable || paths.empty())
        return;
    pending_.insert(pending_.end(), paths.begin(), paths.end());
    ::PostMessageW(list_, add_dropped_message, 0, 0);
}

LRESULT CALLBACK TransferListInput::input(HWND list, UINT message, WPARAM wparam, LPARAM lparam,
                                          UINT_PTR /*id*/, DWORD_PTR self) {
    auto& input = *reinterpret_cast<TransferListInput*>(self);
    switch (message) {
    case WM_DROPFILES:
        input.dropped(reinterpret_cast<HDROP>(wparam));
        return 0;
    case add_dropped_message: {
        const std::vector<std::string> paths = std::move(input.pending_);
        input.pending_.clear();
        if (!paths.empty())
            guarded(input.errors_, [&] { input.actions_.add_dropped(paths); });
        return 0;
    }
    default:
        return ::DefSubclassProc(list, message, wparam, lparam);
    }
}

} // namespace kadoru
