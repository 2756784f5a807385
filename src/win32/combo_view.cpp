#include "win32/combo_view.h"

#include "platform/windows/wide_text.h"

namespace kadoru {

namespace {

std::vector<std::string> items_of(HWND combo) {
    const auto count = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
    std::vector<std::string> items;
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = ::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring item(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
        ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                       reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<std::size_t>(length > 0 ? length : 0));
        items.push_back(to_utf8(item));
    }
    return items;
}

} // namespace

void draw_combo(HWND combo, const std::vector<std::string>& items, int selected) {
    if (items_of(combo) != items) {
        ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        for (const auto& item : items)
            ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(to_wide(item).c_str()));
    }
    if (::SendMessageW(combo, CB_GETCURSEL, 0, 0) != selected)
        ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

std::string text_of(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return to_utf8(text);
}

void show_text(HWND window, std::string_view text) {
    if (text_of(window) != text)
        ::SetWindowTextW(window, to_wide(text).c_str());
}

} // namespace kadoru
