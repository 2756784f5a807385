#include "platform/steady_clock.h"

#include <thread>

namespace kadoru {

SteadyClock::time_point SteadyClock::now() const {
    return std::chrono::steady_clock::now();
}

void SteadyClock::sleep(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

} // namespace kadoru
