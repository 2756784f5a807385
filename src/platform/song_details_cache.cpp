#include "platform/song_details_cache.h"

#include "platform/source_files.h"

namespace kadoru {

SongDetailsCache::SongDetailsCache(const SourceFiles& files, SongDetailsReader& reader)
    : files_(files), reader_(reader) {
}

std::optional<SongDetails> SongDetailsCache::read(const std::string& path) {
    const std::optional<FileStamp> stamp = files_.readable_file(path);
    if (!stamp) {
        known_.erase(path);
        return std::nullopt;
    }
    const auto found = known_.find(path);
    if (found != known_.end() && found->second.stamp == *stamp)
        return found->second.details;
    auto details = reader_.read(path);
    known_.insert_or_assign(path, Known{*stamp, details});
    return details;
}

} // namespace kadoru
