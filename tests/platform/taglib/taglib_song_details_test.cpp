#include "platform/song_tip.h"
#include "platform/std_path.h"
#include "platform/tag_reader.h"
#include "platform/taglib/taglib_song_details.h"
#include "support/scratch_folder.h"
#include "support/song_files.h"

#include <gtest/gtest.h>
#include <string>
#include <taglib/fileref.h>
#include <taglib/tfile.h>
#include <taglib/tpropertymap.h>

namespace kadoru {
namespace {

using namespace std::chrono_literals;
using test::ScratchFolder;

TagLib::String tag_text(const char* utf8) {
    return TagLib::String(utf8, TagLib::String::UTF8);
}

// Each format tagged the way a music player would, through TagLib's common names,
// which put the disc number in the format's own field (ID3v2 TPOS, WM/PartOfSet).
TEST(TaggedSong, GivesItsTagsDiscTrackAndLength) {
    const struct {
        const char* name;
        std::string bytes;
        std::chrono::milliseconds length;
    } formats[] = {{"song.mp3", test::mp3_bytes(100), 2612ms},
                   {"song.wma", test::asf_bytes(4000ms), 4000ms},
                   {"曲.WAV", test::wav_bytes(3500ms), 3500ms}};
    const ScratchFolder folder;
    for (const auto& [name, bytes, length] : formats) {
        SCOPED_TRACE(name);
        const std::string path = folder.write(name, bytes);
        { // tagged and closed again
            TagLib::FileRef file(std_path(path).c_str());
            ASSERT_FALSE(file.isNull());
            TagLib::PropertyMap tags;
            tags.insert("TITLE", tag_text("夜明けの歌"));
            tags.insert("ARTIST", tag_text("Ａさん"));
            tags.insert("ALBUM", tag_text("First Album"));
            tags.insert("TRACKNUMBER", tag_text("5/12"));
            tags.insert("DISCNUMBER", tag_text("2/3"));
            file.file()->setProperties(tags);
            ASSERT_TRUE(file.save());
        }

        const auto song = TagLibSongDetails().read(path);
        ASSERT_TRUE(song.has_value());
        EXPECT_EQ(song->title, "夜明けの歌");
        EXPECT_EQ(song->artist, "Ａさん");
        EXPECT_EQ(song->album, "First Album");
        EXPECT_EQ(song->disc, 2);
        EXPECT_EQ(song->track, 5);
        EXPECT_NEAR(static_cast<double>(song->length.count()), static_cast<double>(length.count()),
                    30);
    }
}

TEST(UntaggedSong, GivesItsLengthAlone) {
    const ScratchFolder folder;
    const auto song =
        TagLibSongDetails().read(folder.write("plain.wav", test::wav_bytes(61'250ms)));
    ASSERT_TRUE(song.has_value());
    EXPECT_EQ(song->length, 61'250ms);
    EXPECT_TRUE(song->title.empty());
    EXPECT_EQ(song->track, 0);
    EXPECT_EQ(song->disc, 0);
}

TEST(BrokenOrMissingSong, GivesNothing) {
    const std::pair<const char*, std::string> broken[] = {
        {"empty.mp3", ""},
        {"text.mp3", std::string(5000, 'x')},
        {"wav.mp3", test::wav_bytes(1000ms)},
        {"mp3.wav", test::mp3_bytes(20)},
        {"mp3.wma", test::mp3_bytes(20)},
        {"cut.wav", test::wav_bytes(1000ms).substr(0, 20)},
        {"cut.wma", test::asf_bytes(1000ms).substr(0, 60)},
        {"other.flac", test::wav_bytes(1000ms)}}; // a type it does not read
    const ScratchFolder folder;
    for (const auto& [name, bytes] : broken)
        EXPECT_FALSE(TagLibSongDetails().read(folder.write(name, bytes)).has_value()) << name;
    EXPECT_FALSE(TagLibSongDetails().read(folder / "gone.mp3").has_value());
    EXPECT_FALSE(TagLibSongDetails().read(folder.path()).has_value());
}

// The reader the system's services give is TagLib's on every system: a row's
// tooltip tells a tagged MP3 with a Japanese name.
TEST(SystemTagReader, GivesATaggedSongsTooltip) {
    const ScratchFolder folder;
    const std::string path = folder.write("夜明け.mp3", test::mp3_bytes(100));
    {
        TagLib::FileRef file(std_path(path).c_str());
        ASSERT_FALSE(file.isNull());
        file.tag()->setTitle(tag_text("夜明けの歌"));
        file.tag()->setArtist(tag_text("Ａさん"));
        file.tag()->setTrack(3);
        ASSERT_TRUE(file.save());
    }
    EXPECT_EQ(song_tip(*system_tag_reader(), path),
              "タイトル：夜明けの歌\nアーティスト：Ａさん\nトラック：3\n長さ：0:02");
}

} // namespace
} // namespace kadoru
