#include "win32/win32_message_box.h"

#include "platform/windows/wide_text.h"

namespace kadoru {

Answer Win32MessageBox::show(std::string_view text, std::string_view title, Buttons buttons) {
    const UINT kind = buttons == Buttons::ok ? MB_OK : MB_YESNOCANCEL | MB_DEFBUTTON1;
    // A box with no owner would leave the windows behind it open to clicks.
    const UINT modality = owner_ != nullptr ? MB_APPLMODAL : MB_TASKMODAL;
    const int answer =
        ::MessageBoxW(owner_, to_wide(text).c_str(), to_wide(title).c_str(), kind | modality);
    switch (answer) {
    case IDYES:
        return Answer::yes;
    case IDNO:
        return Answer::no;
    case IDOK:
        return Answer::ok;
    default:
        // Closed, or never shown: the choice that changes nothing.
        return buttons == Buttons::ok ? Answer::ok : Answer::cancel;
    }
}

} // namespace kadoru
