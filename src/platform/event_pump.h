#pragma once

namespace kadoru {

// Lets pending user-interface events run; handlers of enabled controls may run inside.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void process_events() = 0;
    // While input is held, process_events lets the windows paint and their timers
    // run but takes none of the user's input, but for the way to end the program.
    // A pump that has no user of its own to hold back ignores it.
    virtual void hold_input(bool held) { static_cast<void>(held); }
};

} // namespace kadoru
