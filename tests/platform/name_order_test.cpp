#include "platform/name_order.h"
#include "transfer_list/natural_order.h" // the transfer list's sorting reaches the same order

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kadoru {
namespace {

using ::testing::ElementsAre;

// Each pair is checked both ways round: a strict order must be asymmetric.
TEST(NaturalOrder, ComparesBothWaysRound) {
    enum Order { before, equivalent, after };
    const struct {
        const char* a;
        const char* b;
        Order order;
    } cases[] = {// Digits by value, also past the range of any integer type.
                 {"2 b.mp3", "10 a.mp3", before},
                 {"track9.mp3", "track10.mp3", before},
                 {"a2b10", "a2b9", after},
                 {"99999999999999999999999", "100000000000000000000000", before},
                 {"1.5", "1.10", before},
                 // Leading zeros: the value counts, so the names are equivalent.
                 {"007.mp3", "7.mp3", equivalent},
                 {"01 x", "1 y", before},
                 {"0", "00", equivalent},
                 {"00", "1", before},
                 // Case of letters: ASCII letters fold to lower case, so '_' sorts before them all.
                 {"Abc.MP3", "abc.mp3", equivalent},
                 {"b.mp3", "A.mp3", after},
                 {"Zoo", "apple", after},
                 {"_x.mp3", "A.mp3", before},
                 // Numbers among other characters: after spaces and punctuation, before letters.
                 {"a 1", "a1", before},
                 {"a-1", "a1", before},
                 {"a1", "ab", before},
                 {"song.mp3", "song1.mp3", before},
                 {"a", "a1", before},
                 // Japanese names: characters in their own order, digits inside them by value,
                 // full-width digits as digits.
                 {"第2話.mp3", "第10話.mp3", before},
                 {"あ.mp3", "い.mp3", before},
                 {"ア", "あ", after},
                 {"トラック２", "トラック１０", before},
                 {"トラック２", "トラック2", equivalent},
                 {"１2", "11", after},
                 {"曲9", "曲Ａ", before},
                 {"Z.mp3", "曲.mp3", before},
                 // Equal keys and empty names.
                 {"same.mp3", "same.mp3", equivalent},
                 {"", "", equivalent},
                 {"", "a", before},
                 {"", "0", before}};
    for (const auto& [a, b, order] : cases) {
        EXPECT_EQ(natural_less(a, b), order == before) << a << " < " << b;
        EXPECT_EQ(natural_less(b, a), order == after) << b << " < " << a;
    }
}

TEST(NamesForPeople, SortNaturallyAndBreakTiesByTheExactBytes) {
    std::vector<std::string> names{"10 a.mp3", "b.mp3",  "2 b.mp3", "B.mp3", "007.mp3",
                                   "7.mp3",    "第10話", "第2話",   "1.mp3"};
    sort_names_for_people(names);
    EXPECT_THAT(names, ElementsAre("1.mp3", "2 b.mp3", "007.mp3", "7.mp3", "10 a.mp3", "B.mp3",
                                   "b.mp3", "第2話", "第10話"));
}

} // namespace
} // namespace kadoru
