// The transfer run's own cost: 1,000 small files (none waits) copied by the run,
// against the same files copied one by one by the file system alone, and against
// cp with and without a sync (the run flushes every file to the medium).
//   ./build/bench/bench/transfer_run_bench
// The run's overhead is its median against the others'. The files live below
// $KADORU_BENCH_DIR (default: the temporary folder); the drive table is the
// machine's own with the bench's card folder added as a volume.

#include "bench_support.h"
#include "fakes/fake_transfer_ports.h"
#include "fakes/fake_ui.h"
#include "platform/drive_selector.h"
#include "platform/folder_list.h"
#include "platform/linux/drive_table.h"
#include "platform/linux/mountinfo_source.h"
#include "platform/linux/posix_file_system.h"
#include "platform/steady_clock.h"
#include "support/listed_mounts.h"
#include "transfer/transfer_run.h"
#include "transfer_list/transfer_list.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace kadoru {
namespace {

namespace stdfs = std::filesystem;

constexpr int file_count = 1000;
constexpr std::size_t file_size = 4000; // far under the 125,000 bytes that wait

// The machine's mount table, with one folder of the bench's own as a volume.
class TableWithCard final : public MountSource {
public:
    explicit TableWithCard(const std::string& card)
        : card_(test::folder_mount(card, "vfat", "BENCH")) {}
    std::vector<Mount> mounts() const override {
        auto mounts = system_.mounts();
        mounts.push_back(card_);
        return mounts;
    }

private:
    MountInfoSource system_;
    Mount card_;
};

class Workbench {
public:
    Workbench() {
        stdfs::create_directory(music());
        std::string bytes(file_size, '\0');
        for (int i = 0; i < file_count; ++i) {
            const std::string name = "track " + std::to_string(i) + ".mp3";
            for (std::size_t b = 0; b < bytes.size(); ++b)
                bytes[b] = static_cast<char>((b * 31 + static_cast<std::size_t>(i)) & 0xFF);
            std::ofstream(music() + "/" + name, std::ios::binary) << bytes;
            list.append({name, music() + "/" + name, std::to_string(file_size)});
        }
    }
    Workbench(const Workbench&) = delete;
    Workbench& operator=(const Workbench&) = delete;
    Workbench(Workbench&&) = delete;
    Workbench& operator=(Workbench&&) = delete;

    std::string music() const { return root_.path() + "/music"; }
    // An empty card folder for one timed pass.
    std::string fresh_card(const char* who) const {
        std::string card = root_.path() + "/card-" + who;
        stdfs::remove_all(card);
        stdfs::create_directory(card);
        return card;
    }

    TransferList list;

private:
    BenchFolder root_;
};

const Workbench& workbench() {
    static const Workbench bench;
    return bench;
}

void shell(const std::string& command) {
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("failed: " + command);
}

void transfer_run(benchmark::State& state) {
    const Workbench& bench = workbench();
    PosixFileSystem fs;
    SteadyClock clock;
    test::FakeEventPump events;
    test::FakeProgress progress;
    test::FakeControls controls;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string card = bench.fresh_card("run");
        // The card is removable media, so the run asks about deleting on it.
        DriveTable drives(std::make_unique<TableWithCard>(card), bench.music(), {"/", {card}});
        FolderList dir1(drives, fs, bench.music());
        DriveSelector drive2(drives, drives.drive_of(card));
        test::ScriptedMessageBox messages;
        messages.answers = {Answer::no};
        TransferRun run({bench.list, drive2, dir1, [] { return std::string("MP3"); },
                         [](const std::string&, const std::string&) {}},
                        {fs, drives, clock, messages, events, progress, controls});
        state.ResumeTiming();

        run.start();

        state.PauseTiming();
        if (messages.texts().back() != "処理が終了しました")
            state.SkipWithError(messages.texts().back().c_str());
        state.ResumeTiming();
    }
}

void copy_files(benchmark::State& state) {
    const Workbench& bench = workbench();
    PosixFileSystem fs;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string card = bench.fresh_card("copies");
        state.ResumeTiming();
        for (int i = 0; i < bench.list.count(); ++i)
            fs.copy_file(bench.list.row(i).source_path, card + "/" + bench.list.row(i).name);
    }
}

void copy_with_cp(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        const std::string card = workbench().fresh_card("cp");
        state.ResumeTiming();
        shell("cp -- '" + workbench().music() + "'/* '" + card + "'");
    }
}

void copy_with_cp_and_sync(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        const std::string card = workbench().fresh_card("cp-sync");
        state.ResumeTiming();
        std::string command = "cp -- '" + workbench().music() + "'/* '" + card + "'";
        command += " && sync -- '" + card + "'/*";
        shell(command);
    }
}

BENCHMARK(transfer_run)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(7);
BENCHMARK(copy_files)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(7);
BENCHMARK(copy_with_cp)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(7);
BENCHMARK(copy_with_cp_and_sync)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(7);

} // namespace
} // namespace kadoru

int main(int argc, char** argv) {
    return kadoru::run_benchmarks(argc, argv, [] { kadoru::workbench(); });
}
