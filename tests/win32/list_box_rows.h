#pragma once

#include "platform/windows/wide_text.h"
#include "platform/windows/windows_api.h"

#include <string>
#include <vector>

namespace kadoru::test {

// A list box's rows as it shows them.
inline std::vector<std::string> rows_of(HWND list) {
    std::vector<std::string> rows;
    for (int i = 0; i < ::SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
        std::wstring row(static_cast<std::size_t>(::SendMessageW(list, LB_GETTEXTLEN, i, 0)),
                         L'\0');
        ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row.data()));
        rows.push_back(to_utf8(row));
    }
    return rows;
}

} // namespace kadoru::test
