#pragma once

#include "platform/message_box.h"
#include "platform/windows/windows_api.h"

namespace kadoru {

// MessageBoxW without an icon: OK, or Yes (the default), No and Cancel. The owner is
// disabled while the box is up; without one, every window of the program is.
class Win32MessageBox final : public MessageBox {
public:
    Answer show(std::string_view text, std::string_view title = app_title,
                Buttons buttons = Buttons::ok) override;

    void set_owner(HWND owner) { owner_ = owner; }

private:
    HWND owner_ = nullptr;
};

} // namespace kadoru
