#pragma once

namespace kadoru {

// Lets pending user-interface events run; handlers of enabled controls may run inside.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void process_events() = 0;
};

} // namespace kadoru
