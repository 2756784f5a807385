#include "fakes/fake_ui.h"
#include "transfer/wait_rule.h"

#include <chrono>
#include <gtest/gtest.h>
#include <vector>

namespace kadoru {
namespace {

using namespace std::chrono_literals;
using kadoru::test::FakeClock;
using kadoru::test::FakeEventPump;

TEST(ElapsedCount, CountsWaitUnitsFromWholeSeconds) {
    const std::vector<std::int64_t> expected = {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12};
    const FakeClock clock;
    const auto start = clock.now();
    for (int s = 0; s < static_cast<int>(expected.size()); ++s)
        EXPECT_EQ(elapsed_count(start, start + std::chrono::seconds(s)), expected[s]) << s << " s";
    // A whole number of days gives an exact count, without falling one short.
    EXPECT_EQ(elapsed_count(start, start + 108s), 125);
    EXPECT_EQ(elapsed_count(start, start + 24h), 100000);
}

TEST(ElapsedCount, CutsEachReadingToItsWholeSecond) {
    const FakeClock clock;
    const auto start = clock.now() + 900ms;
    EXPECT_EQ(elapsed_count(start, start + 50ms), 0);
    EXPECT_EQ(elapsed_count(start, start + 100ms), 1); // the next whole second has begun
    EXPECT_EQ(elapsed_count(start, start + 1099ms), 1);
    EXPECT_EQ(elapsed_count(start + 1s, start), 0); // never negative
}

struct WaitCase {
    double bytes;
    std::int64_t limit;
    int seconds; // least whole seconds from the start of the copy
};
std::ostream& operator<<(std::ostream& os, const WaitCase& c) {
    return os << c.bytes;
}

class WaitTable : public ::testing::TestWithParam<WaitCase> {};

TEST_P(WaitTable, HoldsTheRunUntilTheFirstCheckAtOrAfterTheLimit) {
    const auto& c = GetParam();
    EXPECT_EQ(wait_limit(c.bytes), c.limit);
    // From any point of a second, and from just before a day's end: midnight must
    // not stretch the wait.
    for (const auto offset : {0ms, 999ms, 86399999ms}) {
        FakeClock clock;
        clock.advance(offset);
        FakeEventPump events;
        const auto start = clock.now();
        wait_for_file(c.bytes, start, clock, events);
        EXPECT_EQ(clock.now() - start, std::chrono::seconds(c.seconds))
            << "offset " << offset.count();
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, WaitTable,
                         ::testing::Values(WaitCase{124999, 0, 0}, WaitCase{125000, 1, 1},
                                           WaitCase{1000000, 8, 7}, WaitCase{3500000, 28, 25},
                                           WaitCase{4000000, 32, 28}, WaitCase{10000000, 80, 70}));

TEST(WaitForFile, AFourMegabyteFileWhoseCopyTookTwoSecondsWaitsTillSecond28) {
    FakeClock clock;
    FakeEventPump events;
    int checks = 0;
    std::vector<std::chrono::steady_clock::duration> check_times;
    const auto start = clock.now();
    clock.advance(2s + 300ms); // the copy
    events.on_pump = [&](int) { check_times.push_back(clock.now() - start); };
    wait_for_file(4000000, start, clock, events);

    EXPECT_EQ(clock.now() - start, 28s + 300ms);
    // Checks run once a second from right after the copy; the pumps between them
    // keep the windows painting without moving the checks.
    for (const auto t : check_times)
        if ((t - 300ms) % 1s == 0s)
            ++checks;
    EXPECT_EQ(checks, 27);
    for (const auto& slept : clock.sleeps)
        EXPECT_LE(slept, 50ms);
    EXPECT_GT(events.calls, 27 * 10);
}

TEST(WaitForFile, ACopyLongerThanTheLimitDoesNotSleep) {
    FakeClock clock;
    FakeEventPump events;
    const auto start = clock.now();
    clock.advance(8s);
    wait_for_file(1000000, start, clock, events);
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_EQ(events.calls, 1); // the one check still lets events run
}

} // namespace
} // namespace kadoru
