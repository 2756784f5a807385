#include "win32/row_tips.h"

#include "platform/windows/wide_text.h"
#include "win32/kadoru10.h"

#include <commctrl.h>

namespace kadoru {

RowTips::RowTips(const Kadoru10& window, const MainViewModel& model, SongDetailsReader& songs)
    : model_(model), songs_(songs),
      tooltip_(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window.window(),
                                 nullptr, ::GetModuleHandleW(nullptr), nullptr)),
      tools_{{{"File1"}, {"List2"}, {"Label7"}}} {
    // Several lines: title, artist, album, disc, track and length.
    ::SendMessageW(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, 600);
    for (Tool& tool : tools_) {
        tool.control = window.control(tool.name);
        // A label lets the pointer through to its parent unless it asks for notices.
        if (tool.name == "Label7")
            ::SetWindowLongPtrW(tool.control, GWL_STYLE,
                                ::GetWindowLongPtrW(tool.control, GWL_STYLE) | SS_NOTIFY);
        TOOLINFOW info{};
        info.cbSize = sizeof info;
        info.uFlags = TTF_SUBCLASS;
        info.hwnd = tool.control; // the tool's text is asked of the control itself
        info.uId = 1;
        info.lpszText = LPSTR_TEXTCALLBACKW;
        ::GetClientRect(tool.control, &info.rect);
        ::SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        ::SetWindowSubclass(tool.control, &RowTips::input, 2, reinterpret_cast<DWORD_PTR>(this));
    }
}

RowTips::~RowTips() {
    for (const Tool& tool : tools_)
        ::RemoveWindowSubclass(tool.control, &RowTips::input, 2);
}

RowTips::Tool* RowTips::tool_of(HWND control) {
    for (Tool& tool : tools_)
        if (tool.control == control)
            return &tool;
    return nullptr;
}

const std::wstring& RowTips::text_for(HWND control) {
    text_.clear();
    if (const Tool* tool = tool_of(control)) {
        try {
            text_ = to_wide(main_tip(model_, songs_, tool->name, tool->row));
        } catch (const std::exception&) {
            // A song that cannot be read has no tooltip; the window goes on.
            text_.clear();
        }
    }
    return text_;
}

LRESULT CALLBACK RowTips::input(HWND control, UINT message, WPARAM wparam, LPARAM lparam,
                                UINT_PTR /*id*/, DWORD_PTR self) {
    auto& tips = *reinterpret_cast<RowTips*>(self);
    Tool* tool = tips.tool_of(control);
    if (message == WM_MOUSEMOVE && tool != nullptr && tool->name != "Label7") {
        const auto hit = static_cast<DWORD>(::SendMessageW(control, LB_ITEMFROMPOINT, 0, lparam));
        const int row = HIWORD(hit) != 0 ? -1 : static_cast<int>(LOWORD(hit));
        if (row != tool->row) {
            tool->row = row;
            // Another row: the tip shown goes, and the next asks for its text anew.
            ::SendMessageW(tips.tooltip_.get(), TTM_POP, 0, 0);
        }
    }
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lparam);
        if (header->hwndFrom == tips.tooltip_.get() && header->code == TTN_GETDISPINFOW) {
            auto* asked = reinterpret_cast<NMTTDISPINFOW*>(lparam);
            asked->lpszText = const_cast<wchar_t*>(tips.text_for(control).c_str());
            return 0;
        }
    }
    return ::DefSubclassProc(control, message, wparam, lparam);
}

} // namespace kadoru
