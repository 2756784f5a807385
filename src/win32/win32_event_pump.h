#pragma once

#include "platform/event_pump.h"
#include "platform/windows/windows_api.h"

namespace kadoru {

// The program's message loop and the "let pending events run" port over it. Every
// message goes through the dialog manager of the main window (IsDialogMessageW), so
// Tab, Enter and Escape work alike in the outer loop and in a run's nested one.
// While input is held, the user's keys, clicks, wheel turns and drops are dropped on
// their way to any window but the one that ends the program, and Escape (and Alt+F4)
// pass: they were made while the program was busy. Painting and timers run.
class Win32EventPump final : public EventPump {
public:
    void process_events() override;
    void hold_input(bool held) override { held_ = held; }

    // The window whose keyboard the dialog manager handles; nullptr for none.
    void set_dialog(HWND dialog) { dialog_ = dialog; }
    // The control whose input is taken even while input is held (Close).
    void let_input_reach(HWND control) { close_ = control; }

    // Delivers messages until the quit message; returns its exit code.
    int run();

private:
    bool is_held(const MSG& message) const;
    void deliver(MSG& message) const;

    HWND dialog_ = nullptr;
    HWND close_ = nullptr;
    bool held_ = false;
};

} // namespace kadoru
