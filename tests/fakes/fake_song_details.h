#pragma once

#include "platform/song_details.h"

#include <map>
#include <string>
#include <vector>

namespace kadoru::test {

// Songs' details by path, as a test sets them; every other path says nothing.
// Records each path it was asked for.
class FakeSongDetails final : public SongDetailsReader {
public:
    std::optional<SongDetails> read(const std::string& path) override {
        reads.push_back(path);
        const auto found = songs.find(path);
        if (found == songs.end())
            return std::nullopt;
        return found->second;
    }

    std::map<std::string, SongDetails> songs;
    std::vector<std::string> reads;
};

} // namespace kadoru::test
