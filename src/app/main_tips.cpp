#include "app/main_tips.h"

#include "app/main_view_model.h"
#include "platform/paths.h"
#include "platform/song_tip.h"
#include "transfer_list/playing_time.h"

namespace kadoru {

std::string main_tip(const MainViewModel& model, SongDetailsReader& songs, std::string_view control,
                     int row) {
    if (control == "File1" && row >= 0 && row < model.file1.count())
        return song_tip(songs, join_path(model.file1.path(), model.file1.row(row)));
    if (control == "List2" && row >= 0 && row < model.list2.count())
        return song_tip(songs, model.list2.row(row).source_path);
    if (control == "Label7")
        return playing_time_tip(playing_time(model.list2, songs));
    return {};
}

} // namespace kadoru
