#pragma once

#include "platform/file_entry.h"
#include "platform/song_details.h"

#include <string>
#include <unordered_map>

namespace kadoru {

class SourceFiles;

// Keeps what another reader found in each file, by path, for as long as the file
// keeps its size and modification time; a changed file is read again. A file
// that cannot be looked at (gone, unreadable) gives nothing and is forgotten.
class SongDetailsCache final : public SongDetailsReader {
public:
    // files and reader must outlive the cache.
    SongDetailsCache(const SourceFiles& files, SongDetailsReader& reader);

    std::optional<SongDetails> read(const std::string& path) override;

private:
    struct Known {
        FileStamp stamp;
        std::optional<SongDetails> details; // a file that said nothing is kept too
    };

    const SourceFiles& files_;
    SongDetailsReader& reader_;
    std::unordered_map<std::string, Known> known_;
};

} // namespace kadoru
