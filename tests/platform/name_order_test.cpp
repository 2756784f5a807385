#include "platform/name_order.h"
#include "transfer_list/natural_order.h" // the transfer list's sorting reaches the same order

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kadoru {
namespace {

using ::testing::ElementsAre;

enum class Order { before, equivalent, after };

struct NaturalCase {
    const char* a;
    const char* b;
    Order order;
};

class NaturalOrder : public ::testing::TestWithParam<NaturalCase> {};

// Each pair is checked both ways round: a strict order must be asymmetric.
TEST_P(NaturalOrder, ComparesBothWaysRound) {
    const auto& [a, b, order] = GetParam();
    EXPECT_EQ(natural_less(a, b), order == Order::before) << a << " < " << b;
    EXPECT_EQ(natural_less(b, a), order == Order::after) << b << " < " << a;
}

INSTANTIATE_TEST_SUITE_P(
    Table, NaturalOrder,
    ::testing::Values(
        // Digits by value, also past the range of any integer type.
        NaturalCase{"2 b.mp3", "10 a.mp3", Order::before},
        NaturalCase{"track9.mp3", "track10.mp3", Order::before},
        NaturalCase{"a2b10", "a2b9", Order::after},
        NaturalCase{"99999999999999999999999", "100000000000000000000000", Order::before},
        NaturalCase{"1.5", "1.10", Order::before},
        // Leading zeros: the value counts, so the names are equivalent.
        NaturalCase{"007.mp3", "7.mp3", Order::equivalent},
        NaturalCase{"01 x", "1 y", Order::before}, NaturalCase{"0", "00", Order::equivalent},
        NaturalCase{"00", "1", Order::before},
        // Case of letters.
        NaturalCase{"Abc.MP3", "abc.mp3", Order::equivalent},
        NaturalCase{"b.mp3", "A.mp3", Order::after}, NaturalCase{"Zoo", "apple", Order::after},
        // Numbers among other characters: after spaces and punctuation, before letters.
        NaturalCase{"a 1", "a1", Order::before}, NaturalCase{"a-1", "a1", Order::before},
        NaturalCase{"a1", "ab", Order::before}, NaturalCase{"song.mp3", "song1.mp3", Order::before},
        NaturalCase{"a", "a1", Order::before},
        // Japanese names: characters in their own order, digits inside them by value,
        // full-width digits as digits.
        NaturalCase{"第2話.mp3", "第10話.mp3", Order::before},
        NaturalCase{"あ.mp3", "い.mp3", Order::before}, NaturalCase{"ア", "あ", Order::after},
        NaturalCase{"トラック２", "トラック１０", Order::before},
        NaturalCase{"トラック２", "トラック2", Order::equivalent},
        NaturalCase{"１2", "11", Order::after}, NaturalCase{"曲9", "曲Ａ", Order::before},
        NaturalCase{"Z.mp3", "曲.mp3", Order::before},
        // Equal keys and empty names.
        NaturalCase{"same.mp3", "same.mp3", Order::equivalent},
        NaturalCase{"", "", Order::equivalent}, NaturalCase{"", "a", Order::before},
        NaturalCase{"", "0", Order::before}));

TEST(NamesForPeople, SortNaturallyAndBreakTiesByTheExactBytes) {
    std::vector<std::string> names{"10 a.mp3", "b.mp3",  "2 b.mp3", "B.mp3", "007.mp3",
                                   "7.mp3",    "第10話", "第2話",   "1.mp3"};
    sort_names_for_people(names);
    EXPECT_THAT(names, ElementsAre("1.mp3", "2 b.mp3", "007.mp3", "7.mp3", "10 a.mp3", "B.mp3",
                                   "b.mp3", "第2話", "第10話"));
}

} // namespace
} // namespace kadoru
