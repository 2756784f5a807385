#include "platform/udisks_plan.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>

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

TEST(EjectFailure, SaysWhyInWordsTheUserKnows) {
    const struct {
        const char* error;
        int code;
        std::string reason;
    } cases[] = {
        {"org.freedesktop.UDisks2.Error.DeviceBusy", 70,
         "ドライブが使用中です。開いているファイルを閉じてください。"},
        {"org.freedesktop.UDisks2.Error.NotAuthorizedCanObtain", 70, "取り出す権限がありません。"},
        {"org.freedesktop.DBus.Error.ServiceUnknown", 68, "UDisks2 が動いていません。"},
        {"org.freedesktop.UDisks2.Error.Failed", 75,
         "UDisks2 のエラーです：org.freedesktop.UDisks2.Error.Failed"},
    };
    for (const auto& c : cases) {
        const Failure failure = eject_failure(c.error);
        EXPECT_EQ(failure.code(), c.code) << c.error;
        EXPECT_EQ(failure.what(), c.reason) << c.error;
    }
}

} // namespace
} // namespace kadoru
