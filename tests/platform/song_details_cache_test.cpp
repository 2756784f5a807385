#include "fakes/fake_song_details.h"
#include "platform/linux/posix_file_system.h"
#include "platform/song_details_cache.h"
#include "support/scratch.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kadoru {
namespace {

using namespace std::chrono_literals;
using ::testing::SizeIs;
namespace stdfs = std::filesystem;

class SongDetailsCacheTest : public ::testing::Test {
protected:
    SongDetailsCacheTest() : song(folder.write("song.mp3", "12345")) {
        inner.songs[song] = SongDetails{"Title", "", "", 0, 1, 1000ms};
    }

    test::ScratchFolder folder;
    std::string song;
    test::FakeSongDetails inner;
    PosixFileSystem files;
    SongDetailsCache cache{files, inner};
};

TEST_F(SongDetailsCacheTest, ReadsEachFileOnceWhetherItSaidAnythingOrNot) {
    ASSERT_TRUE(cache.read(song).has_value());
    EXPECT_EQ(cache.read(song)->title, "Title");
    const std::string broken = folder.write("broken.mp3", "x");
    EXPECT_FALSE(cache.read(broken).has_value());
    EXPECT_FALSE(cache.read(broken).has_value());
    EXPECT_THAT(inner.reads, SizeIs(2));

    stdfs::remove(song); // a file that is gone gives nothing, and is read when back
    EXPECT_FALSE(cache.read(song).has_value());
    folder.write("song.mp3", "12345");
    EXPECT_TRUE(cache.read(song).has_value());
    EXPECT_THAT(inner.reads, SizeIs(3));
    EXPECT_FALSE(cache.read(folder.path()).has_value()); // a folder is no song
    EXPECT_THAT(inner.reads, SizeIs(3));
}

TEST_F(SongDetailsCacheTest, ReadsAgainWhenTheSizeOrTheModificationTimeChanges) {
    cache.read(song);
    const auto modified = stdfs::last_write_time(song);
    folder.write("song.mp3", "123456"); // another size, the same time
    stdfs::last_write_time(song, modified);
    inner.songs[song].title = "Resized";
    EXPECT_EQ(cache.read(song)->title, "Resized");
    stdfs::last_write_time(song, modified + 1s); // the same size, another time
    inner.songs[song].title = "Retouched";
    EXPECT_EQ(cache.read(song)->title, "Retouched");
    EXPECT_THAT(inner.reads, SizeIs(3));
}

} // namespace
} // namespace kadoru
