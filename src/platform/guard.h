#pragma once

#include "platform/message_box.h"

#include <exception>
#include <utility>

namespace kadoru {

// Tells the user of a failure that reached the window, in the window's one place
// for it: the generic telling of its Failure (failure_message). Anything that is not
// a Failure is a fault of ours (as_failure); it is shown as an internal error rather
// than tearing the program down.
void report_escaped(MessageBox& box, const std::exception& error) noexcept;

// Runs a call into the logic from a window's event handler (Qt's or Win32's). No
// exception may unwind through a toolkit's event loop or a window procedure, so
// whatever escapes is shown here.
template <class Action> void guarded(MessageBox& box, Action&& action) noexcept {
    try {
        std::forward<Action>(action)();
    } catch (const std::exception& error) {
        report_escaped(box, error);
    }
}

} // namespace kadoru
