// The folder handler on a folder of 10,000 files of the type (plus 2,000 others):
// list, filter and sort them for File1, then measure every row from one listing.
// Once on the in-memory file system (the handler's own cost) and once on a real
// folder in the temporary folder ($KADORU_BENCH_DIR to put it elsewhere).
//   ./build/bench/bench/folder_handler_bench

#include "browse/source_browser.h"
#include "browse/type_selector.h"
#include "fakes/fake_drives.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_ui.h"
#include "platform/drive_selector.h"
#include "platform/file_list.h"
#include "platform/folder_list.h"
#include "platform/label.h"
#include "platform/linux/posix_file_system.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace kadoru;
namespace stdfs = std::filesystem;

constexpr int matching_files = 10'000;

// The names in a scrambled order, as a directory read gives them, with a cover
// picture for every fifth track.
template <class AddFile> void fill_folder(AddFile add_file) {
    for (int i = 0; i < matching_files; ++i) {
        const int n = (i * 7919) % matching_files;
        add_file("track " + std::to_string(n) + " - a longer title.mp3",
                 3'000'000 + static_cast<std::uint64_t>(n));
        if (i % 5 == 0)
            add_file("cover " + std::to_string(n) + ".jpg", 1000);
    }
}

void run_folder_handler(benchmark::State& state, const FileSystem& fs, const std::string& root,
                        const std::string& folder) {
    test::FakeDrives drives;
    drives.add("c:", root);
    test::ScriptedMessageBox messages;
    test::FakeEventPump events;
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
        file_size.front() < 3'000'000 || !messages.shown.empty())
        state.SkipWithError("the folder was not measured in full");
}

void FolderHandlerInMemory(benchmark::State& state) {
    test::FakeFileSystem fs;
    fill_folder([&](const std::string& name, std::uint64_t size) {
        fs.add_file("/music/big/" + name, size);
    });
    run_folder_handler(state, fs, "/", "/music/big");
}

void FolderHandlerOnDisk(benchmark::State& state) {
    const char* base = std::getenv("KADORU_BENCH_DIR");
    const stdfs::path folder =
        (base != nullptr ? stdfs::path(base) : stdfs::temp_directory_path()) /
        ("kadoru-folder-bench-" + std::to_string(::getpid()));
    stdfs::create_directories(folder);
    fill_folder([&](const std::string& name, std::uint64_t size) {
        const stdfs::path file = folder / name;
        std::fclose(std::fopen(file.c_str(), "wb"));
        stdfs::resize_file(file, size); // sparse: the listing reads sizes, not data
    });
    const PosixFileSystem fs;
    run_folder_handler(state, fs, "/", folder.string());
    stdfs::remove_all(folder);
}

BENCHMARK(FolderHandlerInMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(FolderHandlerOnDisk)->Unit(benchmark::kMillisecond);

} // namespace
