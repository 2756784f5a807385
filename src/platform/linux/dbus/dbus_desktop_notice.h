#pragma once

#include "platform/desktop_notice.h"

#include <functional>
#include <utility>

#include <QDBusConnection>

namespace kadoru {

// Desktop notices through the freedesktop notification service, over the session bus
// in the program. A notice is posted only while the window is not the active one,
// and sent without waiting, so a desktop without the service costs nothing.
class DbusDesktopNotice final : public DesktopNotice {
public:
    explicit DbusDesktopNotice(QDBusConnection bus = QDBusConnection::sessionBus())
        : bus_(std::move(bus)) {}
    // Whether the program's window is the active one; unset, it never is.
    void set_window_active(std::function<bool()> window_active) {
        window_active_ = std::move(window_active);
    }

    void post(std::string_view text) override;

private:
    QDBusConnection bus_;
    std::function<bool()> window_active_;
};

} // namespace kadoru
