#pragma once

#include "fakes/fake_drives.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_transfer_ports.h"
#include "fakes/fake_ui.h"

namespace kadoru::test {

// Every port of the main window played by a fake, on the machine the window tests
// share: c: is the root file system (the program starts in /home/u/Music, 40GB free
// of 100GB), e: a card (1.5MB free of 2GB), a: a drive without a medium.
struct FakeMachine {
    FakeMachine() {
        drives.add("c:", "/", 40'000'000'000, 100'000'000'000).current = "/home/u/Music";
        drives.add("e:", "/media/card", 1'500'000, 2'000'000'000);
        drives.add("a:", "/media/floppy").ready = false;
        fs.add_folder("/home/u/Music");
        fs.add_folder("/media/card");
    }

    FakeDrives drives;
    FakeFileSystem fs;
    ScriptedMessageBox messages;
    FakeEventPump events;
    FakeClock clock;
    FakeProgress progress;
};

} // namespace kadoru::test
