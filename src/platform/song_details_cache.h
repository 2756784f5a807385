#pragma once

#include "platform/song_details.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>

namespace kadoru {

// Keeps what another reader found in each file, by path, for as long as the file
// keeps its size and modification time; a changed file is read again. A file
// that cannot be looked at (gone, unreadable) gives nothing and is forgotten.
class SongDetailsCache final : public SongDetailsReader {
public:
    // reader must outlive the cache.
    explicit SongDetailsCache(SongDetailsReader& reader);

    std::optional<SongDetails> read(const std::string& path) override;

private:
    struct Known {
        std::uintmax_t size = 0;
        std::filesystem::file_time_type modified;
        std::optional<SongDetails> details; // a file that said nothing is kept too
    };

    SongDetailsReader& reader_;
    std::unordered_map<std::string, Known> known_;
};

} // namespace kadoru
