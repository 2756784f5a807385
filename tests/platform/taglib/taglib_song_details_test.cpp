#include "platform/taglib/taglib_song_details.h"
#include "support/scratch.h"
#include "support/song_files.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <taglib/asffile.h>
#include <taglib/fileref.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tfile.h>
#include <taglib/tpropertymap.h>
#include <taglib/wavfile.h>

namespace kadoru {
namespace {

using namespace std::chrono_literals;
using test::ScratchFolder;

TagLib::String tag_text(const char* utf8) {
    return TagLib::String(utf8, TagLib::String::UTF8);
}

// Writes the tags the way a music player would, through TagLib's common names.
void tag(const std::string& path) {
    TagLib::FileRef file(path.c_str());
    ASSERT_FALSE(file.isNull()) << path;
    TagLib::PropertyMap tags;
    tags.insert("TITLE", tag_text("夜明けの歌"));
    tags.insert("ARTIST", tag_text("Ａさん"));
    tags.insert("ALBUM", tag_text("First Album"));
    tags.insert("TRACKNUMBER", tag_text("5/12"));
    tags.insert("DISCNUMBER", tag_text("2/3"));
    file.file()->setProperties(tags);
    ASSERT_TRUE(file.save()) << path;
}

struct FormatCase {
    const char* label;
    const char* name;
    std::function<std::string()> bytes;
    std::chrono::milliseconds length;
    // Whether the disc number sits in the format's own field.
    std::function<bool(const std::string&)> disc_in_own_field;
};

class TaggedSong : public ::testing::TestWithParam<FormatCase> {};

TEST_P(TaggedSong, GivesItsTagsDiscTrackAndLength) {
    const ScratchFolder folder;
    const std::string path = folder.write(GetParam().name, GetParam().bytes());
    tag(path);
    ASSERT_TRUE(GetParam().disc_in_own_field(path));

    const auto song = TagLibSongDetails().read(path);
    ASSERT_TRUE(song.has_value());
    EXPECT_EQ(song->title, "夜明けの歌");
    EXPECT_EQ(song->artist, "Ａさん");
    EXPECT_EQ(song->album, "First Album");
    EXPECT_EQ(song->disc, 2);
    EXPECT_EQ(song->track, 5);
    EXPECT_NEAR(static_cast<double>(song->length.count()),
                static_cast<double>(GetParam().length.count()), 30);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, TaggedSong,
    ::testing::Values(FormatCase{"Mp3", "song.mp3", [] { return test::mp3_bytes(100); }, 2612ms,
                                 [](const std::string& path) {
                                     TagLib::MPEG::File file(path.c_str());
                                     return file.hasID3v2Tag() &&
                                            file.ID3v2Tag()->frameListMap().contains("TPOS");
                                 }},
                      FormatCase{"Wma", "song.wma", [] { return test::asf_bytes(4000ms); }, 4000ms,
                                 [](const std::string& path) {
                                     TagLib::ASF::File file(path.c_str());
                                     return file.tag()->attributeListMap().contains("WM/PartOfSet");
                                 }},
                      FormatCase{"Wav", "曲.WAV", [] { return test::wav_bytes(3500ms); }, 3500ms,
                                 [](const std::string& path) {
                                     TagLib::RIFF::WAV::File file(path.c_str());
                                     return file.hasID3v2Tag() &&
                                            file.ID3v2Tag()->frameListMap().contains("TPOS");
                                 }}),
    [](const auto& info) { return std::string(info.param.label); });

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

struct BrokenCase {
    const char* label;
    const char* name;
    std::function<std::string()> bytes;
};

class BrokenSong : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenSong, GivesNothing) {
    const ScratchFolder folder;
    const std::string path = folder.write(GetParam().name, GetParam().bytes());
    EXPECT_FALSE(TagLibSongDetails().read(path).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Table, BrokenSong,
    ::testing::Values(
        BrokenCase{"EmptyMp3", "a.mp3", [] { return std::string(); }},
        BrokenCase{"TextAsMp3", "a.mp3", [] { return std::string(5000, 'x'); }},
        BrokenCase{"WavNamedMp3", "a.mp3", [] { return test::wav_bytes(1000ms); }},
        BrokenCase{"Mp3NamedWav", "a.wav", [] { return test::mp3_bytes(20); }},
        BrokenCase{"Mp3NamedWma", "a.wma", [] { return test::mp3_bytes(20); }},
        BrokenCase{"CutWavHeader", "a.wav", [] { return test::wav_bytes(1000ms).substr(0, 20); }},
        BrokenCase{"CutAsfHeader", "a.wma", [] { return test::asf_bytes(1000ms).substr(0, 60); }},
        BrokenCase{"OtherType", "a.flac", [] { return test::wav_bytes(1000ms); }}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(MissingSong, GivesNothing) {
    const ScratchFolder folder;
    EXPECT_FALSE(TagLibSongDetails().read(folder / "gone.mp3").has_value());
    EXPECT_FALSE(TagLibSongDetails().read(folder.path()).has_value());
}

} // namespace
} // namespace kadoru
