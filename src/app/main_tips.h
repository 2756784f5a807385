#pragma once

#include <string>
#include <string_view>

namespace kadoru {

class SongDetailsReader;
struct MainViewModel;

// A tooltip of the main window, made only when the pointer rests on something: a
// window asks with the control's name (File1, List2, Label7) and the row under the
// pointer, and shows the text, or no tooltip when it is empty. A File1 row tells the
// song in the folder shown, a List2 row the song it will copy, Label7 the list's
// total playing time.
std::string main_tip(const MainViewModel& model, SongDetailsReader& songs, std::string_view control,
                     int row);

} // namespace kadoru
