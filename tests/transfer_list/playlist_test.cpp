#include "transfer_list/playlist.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace kadoru {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

const std::string folder = "/music/lists";

struct ReadCase {
    const char* title;
    std::string bytes;
    PlaylistKind kind;
    std::vector<std::string> paths;
};

std::ostream& operator<<(std::ostream& out, const ReadCase& c) {
    return out << c.title;
}

class PlaylistReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(PlaylistReading, GivesTheEntriesInOrder) {
    const auto& c = GetParam();
    EXPECT_EQ(parse_playlist(c.bytes, folder, c.kind), c.paths);
}

const auto m3u8 = PlaylistKind::m3u8;
const auto m3u = PlaylistKind::m3u;

INSTANTIATE_TEST_SUITE_P(
    Cases, PlaylistReading,
    ::testing::Values(
        ReadCase{"relative, LF",
                 "a.mp3\nsub/b.mp3\n",
                 m3u8,
                 {"/music/lists/a.mp3", "/music/lists/sub/b.mp3"}},
        ReadCase{"relative above and beside",
                 "../other/c.mp3\r\n./d.mp3\r\nsub/../e.mp3",
                 m3u8,
                 {"/music/other/c.mp3", "/music/lists/d.mp3", "/music/lists/e.mp3"}},
        ReadCase{"absolute, normalised", "/data//x/./y.mp3\n", m3u8, {"/data/x/y.mp3"}},
        ReadCase{"BOM, CRLF, header, info and comments",
                 "\xEF\xBB\xBF#EXTM3U\r\n#EXTINF:123,Artist - Song\r\na.mp3\r\n\r\n# a note\r\n"
                 "  b.mp3  \r\n#EXTVLCOPT:x\r\n",
                 m3u8,
                 {"/music/lists/a.mp3", "/music/lists/b.mp3"}},
        ReadCase{"old Mac line ends",
                 "a.mp3\rb.mp3\r",
                 m3u8,
                 {"/music/lists/a.mp3", "/music/lists/b.mp3"}},
        ReadCase{"Windows separators", "Album\\01.mp3\n", m3u, {"/music/lists/Album/01.mp3"}},
        ReadCase{"file URLs",
                 "file:///data/a%20b.mp3\nfile://localhost/data/c.mp3\nfile:/data/d.mp3\n"
                 "FILE:///data/%E6%9B%B2.mp3\nfile:///data/100%.mp3\n",
                 m3u8,
                 {"/data/a b.mp3", "/data/c.mp3", "/data/d.mp3", "/data/曲.mp3", "/data/100%.mp3"}},
        ReadCase{"what this machine cannot copy is left out",
                 "file://server/share/x.mp3\nhttp://radio.example/stream.mp3\na.mp3\n",
                 m3u8,
                 {"/music/lists/a.mp3"}},
        ReadCase{"UTF-8 .m3u", "曲/ソング.mp3\n", m3u, {"/music/lists/曲/ソング.mp3"}},
        // "表" and "ソ" end in the byte of "\": read as a character, not as a separator.
        ReadCase{"CP932 .m3u",
                 "#EXTM3U\r\n\x95\x5c\x8e\xa6.mp3\r\n\x83\x5c\x83\x93\x83\x4f.mp3\r\n\xb1.mp3\r\n",
                 m3u,
                 {"/music/lists/表示.mp3", "/music/lists/ソング.mp3", "/music/lists/ｱ.mp3"}},
        ReadCase{"CP932 with a line that is not",
                 "\x8b\xc8.mp3\n\xff.mp3\n",
                 m3u,
                 {"/music/lists/曲.mp3", "/music/lists/\xff.mp3"}},
        ReadCase{".m3u8 is UTF-8 even when it is not",
                 "\x8b\xc8.mp3\n",
                 m3u8,
                 {"/music/lists/\x8b\xc8.mp3"}},
        ReadCase{"a NUL in a path, plain or in a URL",
                 std::string("a.mp3\0.txt\nfile:///b.mp3%00.txt\nc.mp3\n", 38),
                 m3u8,
                 {"/music/lists/c.mp3"}},
        ReadCase{"nothing but a BOM", "\xEF\xBB\xBF", m3u, {}}, ReadCase{"empty", "", m3u8, {}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(PlaylistNames, KnowsPlaylistsByTheirExtension) {
    for (const char* name : {"/a/list.m3u9", "/a/list.mp3", "/a/m3u"})
        EXPECT_FALSE(is_playlist_name(name)) << name;
    EXPECT_TRUE(is_playlist_name("/a/list.m3u"));
    EXPECT_TRUE(is_playlist_name("/a/list.M3U8"));
    EXPECT_EQ(playlist_kind("/a/list.M3U8"), PlaylistKind::m3u8);
    EXPECT_EQ(playlist_kind("/a/list.m3u"), PlaylistKind::m3u);
}

TEST(PlaylistWriting, IsM3U8WithPathsBelowItsFolderRelativeAndEachReadsBackAsItself) {
    EXPECT_EQ(playlist_text({"/music/lists/a.mp3", "/music/lists/sub/曲.mp3", "/music/other/b.mp3"},
                            "/music/lists/"),
              "#EXTM3U\na.mp3\nsub/曲.mp3\n/music/other/b.mp3\n");

    const std::vector<std::string> paths = {
        "/music/lists/a.mp3",
        "/music/lists/#1 first.mp3",       // a plain line would be a comment
        "/music/lists/ leading space.mp3", // a plain line would lose it
        "/music/lists/line\nbreak.mp3",
        "/music/lists/back\\slash.mp3",
        "/music/lists/file:odd.mp3",
        "/music/lists/100% 曲.mp3",
        "/music/other/b.mp3",
        "/music/lists/a.mp3", // twice, as the list may hold it
    };
    const std::string text = playlist_text(paths, folder);
    EXPECT_THAT(text, StartsWith("#EXTM3U\na.mp3\n")); // relative below a folder without "/"
    EXPECT_EQ(parse_playlist(text, folder, PlaylistKind::m3u8), paths);
    // The folder given with its final separator reads the same.
    EXPECT_EQ(parse_playlist(text, folder + "/", PlaylistKind::m3u), paths);
}

} // namespace
} // namespace kadoru
