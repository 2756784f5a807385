#include "card/order_check.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace kadoru {
namespace {

TEST(FirstOutOfOrder, OnlyTheListsFilesCountAsTheCardComparesNames) {
    struct Case {
        std::vector<std::string> list;
        std::vector<std::string> card;
        std::optional<std::string> out_of_order;
    };
    const std::vector<Case> table = {
        {{"A.MP3", "b.mp3", "C.MP3"}, {"x.wma", "A.MP3", "y.wma", "b.mp3", "C.MP3"}, std::nullopt},
        {{"a long title.mp3", "B.MP3"}, {"B.MP3", "keep.wma", "a long title.mp3"}, "B.MP3"},
        {{"A.MP3", "B.MP3", "C.MP3"}, {"A.MP3", "C.MP3", "B.MP3"}, "C.MP3"},
        {{"A.MP3", "B.MP3", "C.MP3", "D.MP3"}, {"B.MP3", "C.MP3", "D.MP3", "A.MP3"}, "B.MP3"},
        // The driver shows another case than the list has; the list's name is told.
        {{"song.mp3", "B.MP3"}, {"SONG.MP3", "b.mp3"}, std::nullopt},
        {{"Song.mp3", "B.MP3"}, {"b.mp3", "SONG.MP3"}, "B.MP3"},
        // A name listed twice is where its later copy put it.
        {{"A.MP3", "B.MP3", "A.MP3"}, {"B.MP3", "A.MP3"}, std::nullopt},
        {{"A.MP3", "B.MP3", "A.MP3"}, {"A.MP3", "B.MP3"}, "A.MP3"},
        // A file the card does not show is not judged.
        {{"A.MP3", "B.MP3", "C.MP3"}, {"A.MP3", "C.MP3"}, std::nullopt},
        {{"A.MP3"}, {}, std::nullopt},
    };
    for (const auto& [list, card, out_of_order] : table)
        EXPECT_EQ(first_out_of_order(list, card), out_of_order)
            << ::testing::PrintToString(list) << " on " << ::testing::PrintToString(card);
}

} // namespace
} // namespace kadoru
