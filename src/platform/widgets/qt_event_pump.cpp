#include "platform/widgets/qt_event_pump.h"

#include <QCoreApplication>

namespace kadoru {

void QtEventPump::process_events() {
    QCoreApplication::processEvents();
}

} // namespace kadoru
