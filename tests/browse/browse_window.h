#pragma once

#include "app/main_program.h"
#include "fakes/fake_machine.h"

#include <cstdint>
#include <vector>

namespace kadoru::test {

// The browsing half of the main window over fake ports, wired as the program wires
// it; the lists' handlers are the ones the controller sets.
struct BrowseWindow : FakeMachine {
    BrowseWindow() {
        for (const char* type : {"MP3", "WMA", "WAV"})
            combo_ftype.add_item(type);
    }

    // The user clicks row i of File1 on its own, or with Ctrl held.
    void click_file(int i, bool ctrl = false) {
        if (!ctrl)
            for (int row = 0; row < file1.count(); ++row)
                file1.set_selected(row, false);
        file1.set_selected(i, ctrl ? !file1.selected(i) : true);
        file1.on_click();
    }

    MainProgram program{{drives, fs, messages, events, clock, progress}, "/home/u/Music"};
    MainController& controller = program.controller;
    DriveSelector& drive1 = program.model.drive1;
    DriveSelector& drive2 = program.model.drive2;
    FolderList& dir1 = program.model.dir1;
    FileList& file1 = program.model.file1;
    TypeSelector& combo_ftype = program.model.combo_ftype;
    Label& label8 = program.model.label8;
    Label& label9 = program.model.label9;
    Label& label11 = program.model.label11;
    std::vector<std::uint64_t>& file_size = program.model.file_size;
};

} // namespace kadoru::test
