#pragma once

#include <string>
#include <string_view>

namespace kadoru {

class SongDetailsReader;
struct MainViewModel;

// The main window's tooltips, made only when the pointer rests on something: a
// window asks with the control's name (File1, List2, Label7) and the row under the
// pointer, and shows the text, or no tooltip when it is empty. A File1 row tells the
// song in the folder shown; a List2 row the song it will copy; Label7 the list's
// total playing time.
class MainTips {
public:
    MainTips(const MainViewModel& model, SongDetailsReader& songs) : model_(model), songs_(songs) {}

    std::string tip(std::string_view control, int row) const;

private:
    const MainViewModel& model_;
    SongDetailsReader& songs_;
};

} // namespace kadoru
