#include "fakes/fake_song_details.h"
#include "transfer_list/playing_time.h"
#include "transfer_list/transfer_list.h"

#include <gtest/gtest.h>

namespace kadoru {
namespace {

using namespace std::chrono_literals;

TEST(PlayingTime, SumsTheKnownLengthsAndCountsTheSongsWithout) {
    test::FakeSongDetails songs;
    songs.songs["/m/a.mp3"] = SongDetails{"", "", "", 0, 0, 200'500ms};
    songs.songs["/m/b.wav"] = SongDetails{"", "", "", 0, 0, 3'400'000ms};
    songs.songs["/m/tags-only.mp3"] = SongDetails{"Title", "", "", 0, 0, 0ms};
    TransferList list;
    const PlayingTime none = playing_time(list, songs);
    EXPECT_EQ(none.unknown, 0);
    EXPECT_EQ(playing_time_tip(none), "") << "an empty list has no tip";
    EXPECT_TRUE(songs.reads.empty());
    for (const char* path :
         {"/m/a.mp3", "/m/broken.mp3", "/m/b.wav", "/m/tags-only.mp3", "/m/a.mp3"})
        list.append({"x", path, "1"});

    const PlayingTime time = playing_time(list, songs);
    EXPECT_EQ(time.known, 3'801'000ms);
    EXPECT_EQ(time.unknown, 2);
    EXPECT_EQ(playing_time_tip(time), "合計再生時間：1:03:21\n（長さの分からない 2 曲を除く）");
    EXPECT_EQ(playing_time_tip(PlayingTime{59'000ms, 0}), "合計再生時間：0:59");
}

} // namespace
} // namespace kadoru
