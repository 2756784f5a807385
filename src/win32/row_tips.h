#pragma once

#include "app/main_tips.h"
#include "platform/windows/windows_api.h"
#include "win32/window_handles.h"

#include <array>
#include <string>
#include <string_view>

namespace kadoru {

class Kadoru10;
class SongDetailsReader;
struct MainViewModel;

// The songs' tooltips of the main window: File1's and List2's rows and Label7's
// playing time, each made only when the tooltip is about to show (the tag reader
// runs then, not when rows are drawn). A list's tip follows the row under the pointer.
class RowTips {
public:
    RowTips(const Kadoru10& window, const MainViewModel& model, SongDetailsReader& songs);
    ~RowTips();
    RowTips(const RowTips&) = delete;
    RowTips& operator=(const RowTips&) = delete;
    RowTips(RowTips&&) = delete;
    RowTips& operator=(RowTips&&) = delete;

    // The text the tooltip of a control asks for now (UTF-16): the row under where
    // the pointer last moved on it.
    const std::wstring& text_for(HWND control);

private:
    struct Tool {
        std::string_view name;
        HWND control = nullptr;
        int row = -1; // under the pointer, -1 for none
    };
    static LRESULT CALLBACK input(HWND control, UINT message, WPARAM wparam, LPARAM lparam,
                                  UINT_PTR id, DWORD_PTR self);
    Tool* tool_of(HWND control);

    const MainViewModel& model_;
    SongDetailsReader& songs_;
    UniqueWindow tooltip_;
    std::array<Tool, 3> tools_;
    std::wstring text_;
};

} // namespace kadoru
