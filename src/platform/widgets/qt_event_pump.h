#pragma once

#include "platform/event_pump.h"

namespace kadoru {

// Lets the Qt event loop deliver what is pending, once, and returns.
class QtEventPump final : public EventPump {
public:
    void process_events() override;
};

} // namespace kadoru
