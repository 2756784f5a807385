#include "platform/linux/dbus/dbus_desktop_notice.h"
#include "platform/linux/dbus/udisks_ejector.h"
#include "platform/linux/desktop_services.h"

namespace kadoru {

std::unique_ptr<CardEjector> desktop_ejector() {
    return std::make_unique<UdisksEjector>();
}

std::unique_ptr<DesktopNotice> desktop_notice(std::function<bool()> window_active) {
    auto notice = std::make_unique<DbusDesktopNotice>();
    notice->set_window_active(std::move(window_active));
    return notice;
}

} // namespace kadoru
