#pragma once

#include "platform/event_pump.h"

#include <memory>

class QObject;

namespace kadoru {

// Lets the Qt event loop deliver what is pending, once, and returns. While input
// is held, the user's clicks, keys, wheel turns and drops are dropped on their way
// to any widget but the one that ends the program (and the window's close box,
// which is no input of a widget): they were made while the program was busy.
class QtEventPump final : public EventPump {
public:
    QtEventPump();
    ~QtEventPump() override;
    QtEventPump(const QtEventPump&) = delete;
    QtEventPump& operator=(const QtEventPump&) = delete;
    QtEventPump(QtEventPump&&) = delete;
    QtEventPump& operator=(QtEventPump&&) = delete;

    void process_events() override;
    void hold_input(bool held) override { held_ = held; }

    // The control whose input is taken even while input is held (Close); it and
    // its children. It must outlive the pump's use, or be cleared with nullptr.
    void let_input_reach(const QObject* control);

private:
    class InputFilter;
    std::unique_ptr<InputFilter> filter_;
    bool held_ = false;
};

} // namespace kadoru
