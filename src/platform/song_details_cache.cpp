#include "platform/song_details_cache.h"

#include <system_error>

namespace kadoru {

SongDetailsCache::SongDetailsCache(SongDetailsReader& reader) : reader_(reader) {
}

std::optional<SongDetails> SongDetailsCache::read(const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    const auto modified =
        error ? std::filesystem::file_time_type{} : std::filesystem::last_write_time(path, error);
    if (error) {
        known_.erase(path);
        return std::nullopt;
    }
    const auto found = known_.find(path);
    if (found != known_.end() && found->second.size == size && found->second.modified == modified)
        return found->second.details;
    auto details = reader_.read(path);
    known_.insert_or_assign(path, Known{size, modified, details});
    return details;
}

} // namespace kadoru
