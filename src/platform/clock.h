#pragma once

#include <chrono>

namespace kadoru {

// A monotonic clock the logic can be given; tests pass one they move by hand.
class Clock {
public:
    using time_point = std::chrono::steady_clock::time_point;

    virtual ~Clock() = default;
    virtual time_point now() const = 0;
    // Blocks for the duration (the wait rule's pause between two checks).
    virtual void sleep(std::chrono::milliseconds duration) = 0;
};

} // namespace kadoru
