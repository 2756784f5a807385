#include "platform/name_order.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kadoru {
namespace {

using ::testing::ElementsAre;

// Each pair, written "a < b", "a = b" (equivalent) or "a > b", is checked both ways
// round: a strict order must be asymmetric.
TEST(NaturalOrder, ComparesBothWaysRound) {
    const char* const cases[] = {
        // Digits by value, also past the range of any integer type.
        "2 b.mp3 < 10 a.mp3", "track9.mp3 < track10.mp3", "a2b10 > a2b9",
        "99999999999999999999999 < 100000000000000000000000", "1.5 < 1.10",
        // Leading zeros: the value counts, so the names are equivalent.
        "007.mp3 = 7.mp3", "01 x < 1 y", "0 = 00", "00 < 1",
        // Case of letters: ASCII letters fold to lower case, so '_' sorts before them all.
        "Abc.MP3 = abc.mp3", "b.mp3 > A.mp3", "Zoo > apple", "_x.mp3 < A.mp3",
        // Numbers among other characters: after spaces and punctuation, before letters.
        "a 1 < a1", "a-1 < a1", "a1 < ab", "song.mp3 < song1.mp3", "a < a1",
        // Japanese names: characters in their own order, digits inside them by value,
        // full-width digits as digits.
        "第2話.mp3 < 第10話.mp3", "あ.mp3 < い.mp3", "ア > あ", "トラック２ < トラック１０",
        "トラック２ = トラック2", "１2 > 11", "曲9 < 曲Ａ", "Z.mp3 < 曲.mp3",
        // Equal keys and empty names.
        "same.mp3 = same.mp3", " = ", " < a", " < 0"};
    for (const std::string row : cases) {
        const auto op = row.find_first_of("<=>"); // no name holds these characters
        const std::string a = row.substr(0, op - 1);
        const std::string b = row.substr(op + 2);
        const char order = row[op];
        EXPECT_EQ(natural_less(a, b), order == '<') << row;
        EXPECT_EQ(natural_less(b, a), order == '>') << row;
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
