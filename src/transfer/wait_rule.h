#pragma once

#include "platform/clock.h"

#include <chrono>
#include <cstdint>

namespace kadoru {

class EventPump;

// The wait rule paces the copying so a slow card keeps up: each file occupies at
// least 8 wait units per 1,000,000 bytes from the start of its copy, a wait unit
// being 1/100000 of a day (0.864 s).

// Time between two checks of the rule.
inline constexpr std::chrono::milliseconds wait_check_interval{1000};
// Longest stretch between two chances for the windows to paint while waiting.
inline constexpr std::chrono::milliseconds wait_paint_slice{50};

// Wait units a file of this many bytes must occupy.
std::int64_t wait_limit(double bytes);

// Wait units between two readings of the clock, counted from whole seconds: each
// reading is cut to its whole second first. The clock is monotonic, so midnight or
// a change of the system's time never stretches a wait.
std::int64_t elapsed_count(Clock::time_point start, Clock::time_point now);

bool time_is_up(double bytes, Clock::time_point start, Clock::time_point now);

// Holds the run until the file's time is up. The first check comes at once, so a
// copy that itself took long enough causes no wait; later checks come once a
// second. Pending events run before each check, and in short slices in between,
// so the windows keep painting while the run waits.
void wait_for_file(double bytes, Clock::time_point start, Clock& clock, EventPump& events);

} // namespace kadoru
