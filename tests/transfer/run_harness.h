#pragma once

#include "app/main_program.h"
#include "fakes/fake_transfer_ports.h"
#include "fakes/fake_ui.h"
#include "transfer_list/list_size.h"

#include <string>

namespace kadoru::test {

// One Start of the transfer run, wired as the program wires the main window, on a
// file system and drives of the test's choice; the windows, the clock and the user
// are played by fakes. The program starts in the source folder with its settings
// file in app_folder, then the destination is chosen.
class RunHarness {
public:
    RunHarness(FileSystem& fs, Drives& drives, const std::string& destination,
               const std::string& source_folder, const std::string& app_folder)
        : program_({drives, fs, messages, events, clock, progress}, source_folder) {
        program_.controller.start_up({app_folder, {}}); // no user folder of the machine's
        program_.model.drive2.assign(destination);
    }

    // A list row as the add command makes it.
    void add(const std::string& name, const std::string& source, std::uint64_t bytes) {
        MainViewModel& model = program_.model;
        model.list2.append({name, source, std::to_string(bytes)});
        list_size(model.list2, model.total_size, model.label7);
    }
    void start() { program_.controller.start(); }

    test::FakeClock clock;
    test::ScriptedMessageBox messages;
    test::FakeEventPump events;
    test::FakeProgress progress;

private:
    MainProgram program_;
};

} // namespace kadoru::test
