#pragma once

#include "browse/destination_panel.h"
#include "browse/source_browser.h"
#include "fakes/fake_drives.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_ui.h"
#include "platform/drive_selector.h"
#include "platform/file_list.h"
#include "platform/folder_list.h"
#include "platform/label.h"
#include "platform/type_selector.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kadoru::test {

// The browsing half of the main window over fake ports, wired as the app wires it:
// c: is the root file system (the program starts in /home/u/Music), e: a card,
// a: a drive without a medium.
struct BrowseWindow {
    BrowseWindow() {
        drives.add("c:", "/", 40'000'000'000, 100'000'000'000).current = "/home/u/Music";
        drives.add("e:", "/media/card", 1'500'000, 2'000'000'000);
        drives.add("a:", "/media/floppy").ready = false;
        fs.add_folder("/home/u/Music");
        fs.add_folder("/media/card");
        drive1.on_change = [this] { browser.drive_changed(); };
        dir1.on_change = [this] { browser.folder_changed(); };
        combo_ftype.on_click = [this] { browser.type_clicked(); };
        file1.on_click = [this] { browser.file_clicked(); };
        drive2.on_change = [this] { panel.drive_changed(); };
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

    test::FakeDrives drives;
    test::FakeFileSystem fs;
    test::ScriptedMessageBox messages;
    test::FakeEventPump events;

    DriveSelector drive1{drives, "c:"};
    DriveSelector drive2{drives, "c:"};
    FolderList dir1{drives, fs, "/home/u/Music"};
    FileList file1{fs};
    TypeSelector combo_ftype;
    Label label8, label9, label11;
    std::vector<std::uint64_t> file_size;

    SourceBrowser browser{
        {drive1, dir1, file1, combo_ftype, label9, file_size}, fs, messages, events};
    DestinationPanel panel{{drive1, dir1, drive2, label8, label11}, drives, messages};
};

} // namespace kadoru::test
