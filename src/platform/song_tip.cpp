#include "platform/song_tip.h"

#include <cstdio>

namespace kadoru {

std::string format_playing_time(std::chrono::milliseconds length) {
    using namespace std::chrono;
    const auto seconds = duration_cast<std::chrono::seconds>(length).count();
    const long long h = seconds / 3600;
    const long long m = seconds / 60 % 60;
    const long long s = seconds % 60;
    char text[32];
    if (h > 0)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", h, m, s);
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", m, s);
    return text;
}

std::string song_tip(const SongDetails& song) {
    std::string tip;
    const auto line = [&tip](const char* caption, const std::string& value) {
        if (value.empty())
            return;
        if (!tip.empty())
            tip += '\n';
        tip += caption;
        tip += value;
    };
    line("タイトル：", song.title);
    line("アーティスト：", song.artist);
    line("アルバム：", song.album);
    line("ディスク：", song.disc > 0 ? std::to_string(song.disc) : std::string());
    line("トラック：", song.track > 0 ? std::to_string(song.track) : std::string());
    line("長さ：", song.length.count() > 0 ? format_playing_time(song.length) : std::string());
    return tip;
}

std::string song_tip(SongDetailsReader& songs, const std::string& path) {
    const auto song = songs.read(path);
    return song ? song_tip(*song) : std::string();
}

} // namespace kadoru
