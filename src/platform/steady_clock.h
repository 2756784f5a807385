#pragma once

#include "platform/clock.h"

namespace kadoru {

// The machine's monotonic clock: unmoved by midnight or by setting the time of day.
// Standard C++ alone, so each pair of the platform layer compiles it as it is.
class SteadyClock final : public Clock {
public:
    time_point now() const override;
    void sleep(std::chrono::milliseconds duration) override;
};

} // namespace kadoru
