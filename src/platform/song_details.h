#pragma once
#include <chrono>
#include <optional>
#include <string>
namespace kadoru {
// What a song file says about itself, where its tags say it.
struct SongDetails {
    std::string title;
    std::string artist;
    std::string album;
    int disc = 0;  // 0: not known
    int track = 0; // 0: not known
    std::chrono::milliseconds length{0};
};
// Reads a song's details; nullopt for a file without readable tags or that is not what its name
// says.
class SongDetailsReader {
public:
    virtual ~SongDetailsReader() = default;
    virtual std::optional<SongDetails> read(const std::string& path) = 0;
};
} // namespace kadoru
