#include "platform/tag_reader.h"
#include "platform/taglib/taglib_song_details.h"

namespace kadoru {

std::unique_ptr<SongDetailsReader> system_tag_reader() {
    return std::make_unique<TagLibSongDetails>();
}

} // namespace kadoru
