#include "platform/song_tip.h"

#include <gtest/gtest.h>

namespace kadoru {
namespace {

using namespace std::chrono_literals;

struct TimeCase {
    std::chrono::milliseconds length;
    const char* shown;
};

class PlayingTimeText : public ::testing::TestWithParam<TimeCase> {};

TEST_P(PlayingTimeText, ShowsMinutesAndSecondsWithHoursFromAnHourOn) {
    EXPECT_EQ(format_playing_time(GetParam().length), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PlayingTimeText,
    ::testing::Values(TimeCase{0ms, "0:00"}, TimeCase{999ms, "0:00"}, TimeCase{61'000ms, "1:01"},
                      TimeCase{3'599'999ms, "59:59"}, TimeCase{3'600'000ms, "1:00:00"},
                      TimeCase{3'723'500ms, "1:02:03"}, TimeCase{360'000'000ms, "100:00:00"}));

TEST(SongTip, ShowsEachDetailTheSongHasInItsOwnLine) {
    const SongDetails song{"夜明けの歌", "Ａさん", "First Album", 2, 5, 187'400ms};
    EXPECT_EQ(song_tip(song), "タイトル：夜明けの歌\n"
                              "アーティスト：Ａさん\n"
                              "アルバム：First Album\n"
                              "ディスク：2\n"
                              "トラック：5\n"
                              "長さ：3:07");
}

TEST(SongTip, LeavesOutWhatTheSongDoesNotSay) {
    EXPECT_EQ(song_tip(SongDetails{"", "", "", 0, 0, 65'000ms}), "長さ：1:05");
    EXPECT_EQ(song_tip(SongDetails{"", "Artist", "", 0, 3, 0ms}),
              "アーティスト：Artist\nトラック：3");
    EXPECT_EQ(song_tip(SongDetails{}), "");
}

} // namespace
} // namespace kadoru
