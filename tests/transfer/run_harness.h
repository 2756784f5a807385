#pragma once

#include "fakes/fake_transfer_ports.h"
#include "fakes/fake_ui.h"
#include "platform/drive_selector.h"
#include "platform/folder_list.h"
#include "transfer/transfer_run.h"
#include "transfer_list/transfer_list.h"

#include <string>
#include <utility>

namespace kadoru::test {

// One Start of the transfer run on a file system and drives of the test's choice,
// with the windows, the clock and the user played by fakes.
class RunHarness {
public:
    RunHarness(FileSystem& fs, Drives& drives, const std::string& destination,
               std::string source_folder)
        : dir1(drives, fs, std::move(source_folder)), drive2(drives, destination), fs_(fs),
          drives_(drives) {}

    // A list row as the add command makes it.
    void add(const std::string& name, const std::string& source, std::uint64_t bytes) {
        list.append({name, source, std::to_string(bytes)});
        total_size += static_cast<double>(bytes);
    }
    void start() {
        TransferRun run(TransferInputs{list, total_size, drive2, dir1, [this] { return type; },
                                       [](const std::string&, const std::string&) {}},
                        TransferPorts{fs_, drives_, clock, messages, events, progress, controls});
        run.start();
    }

    test::FakeClock clock;
    test::ScriptedMessageBox messages;
    test::FakeEventPump events;
    test::FakeProgress progress;
    test::FakeControls controls;
    TransferList list;
    double total_size = 0;
    std::string type = "MP3";
    FolderList dir1;
    DriveSelector drive2;

private:
    FileSystem& fs_;
    Drives& drives_;
};

} // namespace kadoru::test
