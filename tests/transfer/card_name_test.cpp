#include "transfer/card_name.h"

#include <gtest/gtest.h>
#include <string>

namespace kadoru {
namespace {

struct NameCase {
    std::string name;
    std::string on_card;
};

class CardNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(CardNames, AreNamesACardHolds) {
    EXPECT_EQ(card_name(GetParam().name), GetParam().on_card);
}

const std::string long_stem(300, 'a');
const std::string kana_stem = [] {
    std::string stem;
    for (int i = 0; i < 300; ++i)
        stem += "あ";
    return stem;
}();
const std::string emoji_stem = [] {
    std::string stem;
    for (int i = 0; i < 200; ++i)
        stem += "\U0001F3B5"; // two UTF-16 units each
    return stem;
}();

INSTANTIATE_TEST_SUITE_P(
    , CardNames,
    ::testing::Values(NameCase{"01 plain.mp3", "01 plain.mp3"},
                      NameCase{"02 What?.mp3", "02 What？.mp3"},
                      NameCase{"03 Live: 1999.mp3", "03 Live： 1999.mp3"},
                      NameCase{"04 Say \"hi\".mp3", "04 Say ＂hi＂.mp3"},
                      NameCase{"*<>|/\\.mp3", "＊＜＞｜／＼.mp3"},
                      NameCase{"tab\there\x7f\x01.mp3", "tabhere.mp3"},
                      NameCase{"trailing. . .", "trailing"}, NameCase{" . .", "_"},
                      NameCase{"日本語 ～ 歌.mp3", "日本語 ～ 歌.mp3"},
                      NameCase{long_stem + ".mp3", std::string(251, 'a') + ".mp3"},
                      NameCase{kana_stem + ".mp3", kana_stem.substr(0, 251 * 3) + ".mp3"},
                      // a character of two units is never cut in half
                      NameCase{emoji_stem + ".mp3", emoji_stem.substr(0, 125 * 4) + ".mp3"},
                      NameCase{long_stem, std::string(255, 'a')}));

} // namespace
} // namespace kadoru
