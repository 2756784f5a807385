#include "fakes/fake_song_details.h"
#include "platform/song_details_cache.h"
#include "support/scratch.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kadoru {
namespace {

using namespace std::chrono_literals;
using ::testing::SizeIs;

class SongDetailsCacheTest : public ::testing::Test {
protected:
    SongDetailsCacheTest() : song(folder.write("song.mp3", "12345")) {
        inner.songs[song] = SongDetails{"Title", "", "", 0, 1, 1000ms};
    }

    test::ScratchFolder folder;
    std::string song;
    test::FakeSongDetails inner;
    SongDetailsCache cache{inner};
};

TEST_F(SongDetailsCacheTest, ReadsAnUnchangedFileOnce) {
    ASSERT_TRUE(cache.read(song).has_value());
    EXPECT_EQ(cache.read(song)->title, "Title");
    EXPECT_THAT(inner.reads, SizeIs(1));
}

TEST_F(SongDetailsCacheTest, ReadsAgainWhenTheSizeChanges) {
    cache.read(song);
    const auto modified = std::filesystem::last_write_time(song);
    folder.write("song.mp3", "123456");
    std::filesystem::last_write_time(song, modified);
    inner.songs[song].title = "Retagged";
    EXPECT_EQ(cache.read(song)->title, "Retagged");
    EXPECT_THAT(inner.reads, SizeIs(2));
}

TEST_F(SongDetailsCacheTest, ReadsAgainWhenTheModificationTimeChanges) {
    cache.read(song);
    std::filesystem::last_write_time(song, std::filesystem::last_write_time(song) + 1s);
    inner.songs[song].title = "Retagged";
    EXPECT_EQ(cache.read(song)->title, "Retagged");
    EXPECT_THAT(inner.reads, SizeIs(2));
}

TEST_F(SongDetailsCacheTest, RemembersAFileThatSaidNothing) {
    const std::string broken = folder.write("broken.mp3", "x");
    EXPECT_FALSE(cache.read(broken).has_value());
    EXPECT_FALSE(cache.read(broken).has_value());
    EXPECT_THAT(inner.reads, SizeIs(1));
}

TEST_F(SongDetailsCacheTest, AFileThatIsGoneGivesNothingAndIsReadAgainWhenBack) {
    cache.read(song);
    std::filesystem::remove(song);
    EXPECT_FALSE(cache.read(song).has_value());
    folder.write("song.mp3", "12345");
    EXPECT_TRUE(cache.read(song).has_value());
    EXPECT_THAT(inner.reads, SizeIs(2));
    EXPECT_FALSE(cache.read(folder.path()).has_value()); // a folder is no song
    EXPECT_THAT(inner.reads, SizeIs(2));
}

} // namespace
} // namespace kadoru
