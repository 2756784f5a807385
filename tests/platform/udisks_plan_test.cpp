#include "platform/udisks_plan.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>

namespace kadoru {
namespace {

// A card reader's drive with two partitions (one mounted at the card's root, one
// elsewhere, one not at all), a loop device that belongs to no drive, and a fixed disk.
const UdisksObjects objects{{{"/block/sdb1", "/drives/reader", true, {"/media/u/PLAYER"}},
                             {"/block/sdb2", "/drives/reader", true, {"/media/u/DATA"}},
                             {"/block/sdb3", "/drives/reader", true, {}},
                             {"/block/sdb", "/drives/reader", false, {}},
                             {"/block/loop0", "/", true, {"/mnt/image"}},
                             {"/block/sda1", "/drives/disk", true, {"/"}}},
                            {{"/drives/reader", true}, {"/drives/disk", false}}};

struct PlanCase {
    const char* root;
    std::optional<EjectPlan> plan;
};

void PrintTo(const PlanCase& c, std::ostream* os) {
    *os << c.root;
}

class Plan : public ::testing::TestWithParam<PlanCase> {};

TEST_P(Plan, UnmountsTheCardFirstThenTheRestOfItsDriveThenPowersOff) {
    EXPECT_EQ(plan_eject(objects, GetParam().root), GetParam().plan);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Plan,
    ::testing::Values(
        PlanCase{"/media/u/PLAYER", EjectPlan{{"/block/sdb1", "/block/sdb2"}, "/drives/reader"}},
        PlanCase{"/media/u/DATA", EjectPlan{{"/block/sdb2", "/block/sdb1"}, "/drives/reader"}},
        PlanCase{"/mnt/image", EjectPlan{{"/block/loop0"}, ""}},
        PlanCase{"/", EjectPlan{{"/block/sda1"}, ""}}, PlanCase{"/media/u/PLAY", std::nullopt}));

} // namespace
} // namespace kadoru
