#pragma once

#include "platform/card_ejector.h"
#include "platform/desktop_notice.h"

#include <functional>
#include <memory>

namespace kadoru {

// The desktop's services on Linux: over D-Bus (dbus/) where the build has Qt, else
// stand-ins. CMake links the one.
std::unique_ptr<CardEjector> desktop_ejector();
std::unique_ptr<DesktopNotice> desktop_notice(std::function<bool()> window_active);

} // namespace kadoru
