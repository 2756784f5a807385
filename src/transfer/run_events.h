#pragma once

#include "platform/event_pump.h"

#include <chrono>
#include <exception>

namespace kadoru {

// Thrown where the run let events run and, inside them, the program was told to end
// (Close, or the main window's close box): the run unwinds and does nothing more.
class ProgramEnding final : public std::exception {
public:
    const char* what() const noexcept override { return "the program is ending"; }
};

// The window's event pump as the run uses it. It notes when events last ran, so
// that the waits for the card keep to one pace with the run's own pumping, and it
// turns the end of the program into ProgramEnding for the run.
class RunEvents final : public EventPump {
public:
    using time_point = std::chrono::steady_clock::time_point;

    explicit RunEvents(EventPump& window);

    // Lets the window's events run, then throws ProgramEnding when the program is
    // ending. Once it is, events no longer run here: the windows are going.
    void process_events() override;
    void hold_input(bool held) override { window_.hold_input(held); }

    void end_program() { ending_ = true; }
    bool program_ending() const { return ending_; }
    // When events last began to run here, or when this pump was made.
    time_point last_run() const { return last_run_; }

private:
    EventPump& window_;
    bool ending_ = false;
    time_point last_run_;
};

} // namespace kadoru
