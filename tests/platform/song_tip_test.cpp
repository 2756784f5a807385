#include "platform/song_tip.h"

#include <gtest/gtest.h>
#include <utility>

namespace kadoru {
namespace {

using namespace std::chrono_literals;

TEST(PlayingTimeText, ShowsMinutesAndSecondsWithHoursFromAnHourOn) {
    const std::pair<std::chrono::milliseconds, const char*> cases[] = {
        {0ms, "0:00"},
        {999ms, "0:00"},
        {61'000ms, "1:01"},
        {3'599'999ms, "59:59"},
        {3'600'000ms, "1:00:00"},
        {3'723'500ms, "1:02:03"},
        {360'000'000ms, "100:00:00"}};
    for (const auto& [length, shown] : cases)
        EXPECT_EQ(format_playing_time(length), shown) << length.count();
}

TEST(SongTip, ShowsEachDetailTheSongHasInItsOwnLineAndLeavesOutTheRest) {
    EXPECT_EQ(song_tip({"夜明けの歌", "Ａさん", "First Album", 2, 5, 187'400ms}),
              "タイトル：夜明けの歌\nアーティスト：Ａさん\nアルバム：First Album\n"
              "ディスク：2\nトラック：5\n長さ：3:07");
    EXPECT_EQ(song_tip({"", "", "", 0, 0, 65'000ms}), "長さ：1:05");
    EXPECT_EQ(song_tip({"", "Artist", "", 0, 3, 0ms}), "アーティスト：Artist\nトラック：3");
    EXPECT_EQ(song_tip(SongDetails{}), "");
}

} // namespace
} // namespace kadoru
