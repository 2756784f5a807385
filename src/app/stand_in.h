#pragma once

#include "app/main_actions.h"
#include "app/main_view_model.h"

namespace kadoru {

// Stand-ins that let the window start and be looked at until the app's logic is
// wired in: the file list follows the folder and the type, the source folder
// follows the source drive, and the buttons do nothing.
void connect_stand_in_lists(MainViewModel& model);

class StandInActions final : public MainActions {
public:
    void start() override {}
    void close() override {}
    void add() override {}
    void add_all() override {}
    void remove() override {}
    void clear() override {}
    void move_up() override {}
    void move_down() override {}
    void refresh() override {}
};

} // namespace kadoru
