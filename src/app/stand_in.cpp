#include "app/stand_in.h"

namespace kadoru {

void connect_stand_in_lists(MainViewModel& model) {
    for (const char* type : {"MP3", "WMA", "WAV"})
        model.combo_ftype.add_item(type);
    const auto list_folder = [&model] {
        model.file1.set_pattern("*." + model.combo_ftype.text());
        model.file1.set_path(model.dir1.path());
    };
    model.dir1.on_change = list_folder;
    model.combo_ftype.on_click = list_folder;
    model.drive1.on_change = [&model] { model.dir1.assign(model.drive1.drive()); };
    list_folder();
}

} // namespace kadoru
