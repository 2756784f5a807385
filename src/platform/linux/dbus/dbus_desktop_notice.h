#pragma once

#include "platform/desktop_notice.h"

#include <utility>

#include <QDBusConnection>
#include <QPointer>
#include <QWidget>

namespace kadoru {

// Desktop notices through the freedesktop notification service, over the session bus
// in the program. A notice is posted only while the window is not the active one,
// and sent without waiting, so a desktop without the service costs nothing.
class DbusDesktopNotice final : public DesktopNotice {
public:
    explicit DbusDesktopNotice(QDBusConnection bus = QDBusConnection::sessionBus())
        : bus_(std::move(bus)) {}
    void set_window(QWidget* window) { window_ = window; }

    void post(std::string_view text) override;

private:
    QDBusConnection bus_;
    QPointer<QWidget> window_;
};

} // namespace kadoru
