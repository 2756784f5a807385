#pragma once

#include <memory>
#include <string_view>

namespace kadoru {

// A notice on the desktop, for news the user may miss because the program's
// window is behind others. The implementation decides whether the window is in the
// background; where the desktop shows no notices, nothing happens.
class DesktopNotice {
public:
    virtual ~DesktopNotice() = default;
    virtual void post(std::string_view text) = 0;
};

// A notice that is never shown: for programs and tests without a desktop.
DesktopNotice& no_desktop_notice();
std::unique_ptr<DesktopNotice> make_no_desktop_notice();

} // namespace kadoru
