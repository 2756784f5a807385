// Playlists in the system's own spelling of paths, on both pairs of the platform
// layer: names beyond ASCII are kept as the UTF-8 they are, and a Shift_JIS playlist
// reads through the system's own converter.
#include "support/scratch_folder.h"
#include "transfer_list/playlist.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kadoru {
namespace {

using test::native;
using ::testing::ElementsAre;

TEST(PlaylistPaths, KeepNamesBeyondAsciiAsTheyAre) {
    const std::string folder = native("/music/lists/");
    const std::string song = native("/music/lists/sub/曲.mp3");
    const std::string text = playlist_text({song}, folder);
    EXPECT_EQ(text, "#EXTM3U\n" + native("sub/曲.mp3") + "\n");
    EXPECT_THAT(parse_playlist(text, folder, PlaylistKind::m3u8), ElementsAre(song));
    // 曲.mp3 in Shift_JIS, as Windows tools write an .m3u.
    EXPECT_THAT(parse_playlist("\x8b\xc8.mp3\r\n", folder, PlaylistKind::m3u),
                ElementsAre(native("/music/lists/曲.mp3")));
}

} // namespace
} // namespace kadoru
