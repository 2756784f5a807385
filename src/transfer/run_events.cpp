#include "transfer/run_events.h"

namespace kadoru {

RunEvents::RunEvents(EventPump& window)
    : window_(window), last_run_(std::chrono::steady_clock::now()) {
}

void RunEvents::process_events() {
    if (!ending_) {
        last_run_ = std::chrono::steady_clock::now();
        window_.process_events();
    }
    if (ending_)
        throw ProgramEnding();
}

} // namespace kadoru
