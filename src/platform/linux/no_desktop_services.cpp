#include "platform/linux/desktop_services.h"

namespace kadoru {

std::unique_ptr<CardEjector> desktop_ejector() {
    return make_no_card_ejector();
}

std::unique_ptr<DesktopNotice> desktop_notice(std::function<bool()> /*window_active*/) {
    return make_no_desktop_notice();
}

} // namespace kadoru
