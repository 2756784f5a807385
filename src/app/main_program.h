#pragma once

#include "app/main_controller.h"
#include "app/main_view_model.h"
#include "platform/card_ejector.h"
#include "platform/desktop_notice.h"
#include "platform/song_details.h"

#include <string>

namespace kadoru {

// A reader of songs' details that finds none: sorting by track then keeps the order.
SongDetailsReader& no_song_details();

// The outside world as the program reaches it.
struct ProgramPorts {
    Drives& drives;
    FileSystem& fs;
    MessageBox& messages;
    EventPump& events;
    Clock& clock;
    Progress& progress;
    SongDetailsReader& songs = no_song_details();
    CardEjector& ejector = no_card_ejector();
    DesktopNotice& notice = no_desktop_notice();
};

// The main window's state and behaviour, wired to the ports: what main builds before
// the window that draws it. The lists start on the drive and folder the program was
// started in; start-up is the caller's, once the window listens to the model.
struct MainProgram {
    MainProgram(const ProgramPorts& ports, const std::string& start_folder);

    MainViewModel model;
    MainController controller; // after the model, whose handlers it sets and clears
};

} // namespace kadoru
