#include "transfer_list/playing_time.h"

#include "platform/song_details.h"
#include "platform/song_tip.h"
#include "transfer_list/transfer_list.h"

namespace kadoru {

PlayingTime playing_time(const TransferList& list, SongDetailsReader& songs) {
    PlayingTime time;
    for (int i = 0; i < list.count(); ++i) {
        const auto song = songs.read(list.row(i).source_path);
        if (song && song->length.count() > 0)
            time.known += song->length;
        else
            ++time.unknown;
    }
    return time;
}

std::string playing_time_tip(const PlayingTime& time) {
    if (time.known.count() == 0 && time.unknown == 0)
        return {};
    std::string tip = "合計再生時間：" + format_playing_time(time.known);
    if (time.unknown > 0)
        tip += "\n（長さの分からない " + std::to_string(time.unknown) + " 曲を除く）";
    return tip;
}

} // namespace kadoru
