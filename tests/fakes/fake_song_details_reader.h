#pragma once

#include "platform/song_details.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kadoru::test {

// Song details from a table by path; a path not in it has no readable tags.
class TableSongDetails final : public SongDetailsReader {
public:
    std::map<std::string, SongDetails> songs;
    std::vector<std::string> read_paths;

    std::optional<SongDetails> read(const std::string& path) override {
        read_paths.push_back(path);
        const auto it = songs.find(path);
        if (it == songs.end())
            return std::nullopt;
        return it->second;
    }
};

} // namespace kadoru::test
