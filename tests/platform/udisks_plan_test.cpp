#include "platform/udisks_plan.h"
#include "support/udisks_machine.h"

#include <gtest/gtest.h>

namespace kadoru {
namespace {

class Plan : public ::testing::TestWithParam<test::RemovalCase> {};

TEST_P(Plan, OnlyWhatTheDesktopWouldRemoveTheCardFirstThenTheRestOfItsDriveThenPowerOff) {
    EXPECT_EQ(plan_eject(test::udisks_machine, GetParam().root, test::machine_user),
              GetParam().plan);
}

INSTANTIATE_TEST_SUITE_P(Cases, Plan, ::testing::ValuesIn(test::removal_cases));

} // namespace
} // namespace kadoru
