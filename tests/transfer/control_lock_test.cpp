#include "fakes/fake_transfer_ports.h"
#include "fakes/fake_ui.h"
#include "transfer/control_lock.h"

#include <gtest/gtest.h>
#include <vector>

namespace kadoru {
namespace {

using kadoru::test::FakeControls;
using kadoru::test::FakeEventPump;

class ControlLock : public ::testing::TestWithParam<bool> {};

TEST_P(ControlLock, SwitchesTheThirteenInOrderThenLetsEventsRun) {
    const bool enable = GetParam();
    FakeControls controls;
    FakeEventPump events;
    std::vector<LockedControl> order;
    controls.on_change = [&](LockedControl control, bool on) {
        EXPECT_EQ(on, enable);
        EXPECT_EQ(events.calls, 0);
        order.push_back(control);
    };
    enable ? act_all(controls, events) : deact_all(controls, events);
    EXPECT_EQ(order, std::vector<LockedControl>(lock_order.begin(), lock_order.end()));
    EXPECT_EQ(events.calls, 1);
    EXPECT_TRUE(controls.all(enable));
}

INSTANTIATE_TEST_SUITE_P(Both, ControlLock, ::testing::Bool());

} // namespace
} // namespace kadoru
