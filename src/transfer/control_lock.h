#pragma once

#include <array>

namespace kadoru {

class EventPump;

// The thirteen controls the lock disables during a run, in the lock's order. The
// refresh button, List2, the labels and the window stay usable.
enum class LockedControl {
    b_ok,
    b_cancel,
    Dir1,
    Drive1,
    Drive2,
    File1,
    Command1,
    Command6,
    Command2,
    Command3,
    Command4,
    Command5,
    Combo_ftype,
};

inline constexpr std::array<LockedControl, 13> lock_order = {
    LockedControl::b_ok,        LockedControl::b_cancel, LockedControl::Dir1,
    LockedControl::Drive1,      LockedControl::Drive2,   LockedControl::File1,
    LockedControl::Command1,    LockedControl::Command6, LockedControl::Command2,
    LockedControl::Command3,    LockedControl::Command4, LockedControl::Command5,
    LockedControl::Combo_ftype,
};

// Enables or disables one control of the main window; the main window provides it.
class ControlSwitch {
public:
    virtual ~ControlSwitch() = default;
    virtual void set_enabled(LockedControl control, bool enabled) = 0;
};

// Disables the thirteen controls in order, then lets pending events run once.
void deact_all(ControlSwitch& controls, EventPump& events);
// Enables them in the same order, then lets pending events run once.
void act_all(ControlSwitch& controls, EventPump& events);

} // namespace kadoru
