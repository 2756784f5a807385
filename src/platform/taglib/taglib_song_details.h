#pragma once

#include "platform/song_details.h"

namespace kadoru {

// Reads songs' details with TagLib, in the format the name's extension says: MP3,
// WMA or WAV, the program's file types. A file of another type, one that does not
// parse as its extension says, or one that holds neither a tag nor a length gives
// nothing.
// Reads the file each time: SongDetailsCache keeps what was read.
class TagLibSongDetails final : public SongDetailsReader {
public:
    std::optional<SongDetails> read(const std::string& path) override;
};

} // namespace kadoru
