#include "transfer/control_lock.h"

#include "platform/event_pump.h"

namespace kadoru {

namespace {

void switch_all(ControlSwitch& controls, EventPump& events, bool enabled) {
    for (const LockedControl control : lock_order)
        controls.set_enabled(control, enabled);
    // Lets the window draw the new state before the run goes on.
    events.process_events();
}

} // namespace

void deact_all(ControlSwitch& controls, EventPump& events) {
    switch_all(controls, events, false);
}

void act_all(ControlSwitch& controls, EventPump& events) {
    switch_all(controls, events, true);
}

} // namespace kadoru
