// The folder handler on a folder of 10,000 files of the type (plus 2,000 others):
// list, filter and sort them for File1, then measure every row from one listing.

#include "browse/source_browser.h"
#include "fakes/fake_drives.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_ui.h"
#include "platform/drive_selector.h"
#include "platform/file_list.h"
#include "platform/folder_list.h"
#include "platform/label.h"
#include "platform/type_selector.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace kadoru;

constexpr int matching_files = 10'000;

void FolderHandler(benchmark::State& state) {
    fakes::FakeDrives drives;
    drives.add("c:", "/");
    fakes::FakeFileSystem fs;
    const std::string folder = "/music/big";
    for (int i = 0; i < matching_files; ++i) {
        // Written in a scrambled order, as a directory read gives them.
        const int n = (i * 7919) % matching_files;
        fs.add_file(folder + "/track " + std::to_string(n) + " - a longer title.mp3",
                    3'000'000 + static_cast<std::uint64_t>(n));
        if (i % 5 == 0)
            fs.add_file(folder + "/cover " + std::to_string(n) + ".jpg", 1000);
    }
    fakes::ScriptedMessageBox messages;
    fakes::FakeEventPump events;
    DriveSelector drive1(drives, "c:");
    FolderList dir1(drives, fs, folder);
    FileList file1(fs);
    TypeSelector combo_ftype;
    Label label9;
    std::vector<std::uint64_t> file_size;
    SourceBrowser browser({drive1, dir1, file1, combo_ftype, label9, file_size}, fs, messages,
                          events);

    for (auto _ : state)
        browser.folder_changed();

    if (file1.count() != matching_files || file_size.size() != matching_files ||
        events.calls != static_cast<int>(state.iterations()) * matching_files)
        state.SkipWithError("the folder was not measured in full");
}

BENCHMARK(FolderHandler)->Unit(benchmark::kMillisecond);

} // namespace
