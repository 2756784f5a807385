#include "app/main_tips.h"

#include "app/main_view_model.h"
#include "platform/paths.h"
#include "platform/song_tip.h"
#include "transfer_list/playing_time.h"

namespace kadoru {

std::string MainTips::tip(std::string_view control, int row) const {
    if (control == "File1" && row >= 0 && row < model_.file1.count())
        return song_tip(songs_, join_path(model_.file1.path(), model_.file1.row(row)));
    if (control == "List2" && row >= 0 && row < model_.list2.count())
        return song_tip(songs_, model_.list2.row(row).source_path);
    if (control == "Label7")
        return playing_time_tip(playing_time(model_.list2, songs_));
    return {};
}

} // namespace kadoru
