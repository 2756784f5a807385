#include "transfer/wait_rule.h"

#include "platform/event_pump.h"

#include <algorithm>
#include <cmath>

namespace kadoru {

namespace {

constexpr double bytes_per_megabyte = 1000000.0;
constexpr double units_per_megabyte = 8.0;
constexpr std::int64_t units_per_day = 100000;
constexpr std::int64_t seconds_per_day = 86400;

// Sleeps out one interval between checks in slices, letting events run after each
// slice but the last (the check that follows lets them run itself).
void pause_between_checks(Clock& clock, EventPump& events) {
    const auto until = clock.now() + wait_check_interval;
    for (auto left = until - clock.now(); left > std::chrono::steady_clock::duration::zero();
         left = until - clock.now()) {
        clock.sleep(std::min(wait_paint_slice, std::chrono::ceil<std::chrono::milliseconds>(left)));
        if (clock.now() < until)
            events.process_events();
    }
}

} // namespace

std::int64_t wait_limit(double bytes) {
    return static_cast<std::int64_t>(std::floor(units_per_megabyte * (bytes / bytes_per_megabyte)));
}

std::int64_t elapsed_count(Clock::time_point start, Clock::time_point now) {
    using std::chrono::floor;
    using std::chrono::seconds;
    const auto whole_seconds =
        (floor<seconds>(now.time_since_epoch()) - floor<seconds>(start.time_since_epoch())).count();
    // Whole numbers throughout, so a count never falls one short by rounding.
    return std::max<std::int64_t>(whole_seconds, 0) * units_per_day / seconds_per_day;
}

bool time_is_up(double bytes, Clock::time_point start, Clock::time_point now) {
    return elapsed_count(start, now) >= wait_limit(bytes);
}

void wait_for_file(double bytes, Clock::time_point start, Clock& clock, EventPump& events) {
    for (;;) {
        events.process_events();
        if (time_is_up(bytes, start, clock.now()))
            return;
        pause_between_checks(clock, events);
    }
}

} // namespace kadoru
