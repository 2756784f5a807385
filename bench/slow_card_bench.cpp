// The run onto a slow card: a 2 MB song onto a FUSE card that writes 2 MB/s and takes
// 0.3 s to flush (tests/support/slow_card.py). Reports the bare copy of the song onto
// the card; the whole run with the wait rule's pauses passing at once (the run's own
// cost over the copy) and with the real clock (the copy counts in the song's wait);
// for both runs the longest stretch without the window's events (longest_gap_ms), and
// for the paced one the bound it keeps to, the copy plus the wait rule
// (copy_plus_wait_s). Needs root, /dev/fuse and python3-fusepy:
//   sudo ./build/bench/bench/slow_card_bench
#include "bench_support.h"
#include "fakes/fake_transfer_ports.h"
#include "fakes/fake_ui.h"
#include "platform/drive_selector.h"
#include "platform/folder_list.h"
#include "platform/linux/drive_table.h"
#include "platform/linux/posix_file_system.h"
#include "platform/steady_clock.h"
#include "support/slow_card.h"
#include "transfer/responsive_file_system.h"
#include "transfer/run_events.h"
#include "transfer/transfer_run.h"
#include "transfer/wait_rule.h"
#include "transfer_list/transfer_list.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>

namespace kadoru {
namespace {

using std::chrono::steady_clock;
namespace stdfs = std::filesystem;

constexpr std::size_t song_bytes = 2'000'000;
constexpr double seconds_per_wait_unit = 0.864;

class Bench {
public:
    Bench() : card_(dir_, {2'000'000, 0.3, 0}) {
        if (!card_.mounted())
            throw std::runtime_error(card_.why_not());
        stdfs::create_directory(dir_ / "music");
        stdfs::create_directory(dir_ / "stand-in");
        song_ = dir_.write("music/song.mp3", std::string(song_bytes, 'm'));
        list_.append({"song.mp3", song_, std::to_string(song_bytes)});
    }

    std::string target() const { return card_.root() + "/song.mp3"; }
    void clear_card() const { stdfs::remove(target()); }

    void copy() { fs_.copy_file(song_, target()); }

    // One Start as the program composes it; the longest stretch without events.
    steady_clock::duration run(Clock& clock) {
        DriveTable drives(std::make_unique<test::CardAfterStandIn>(card_.root(), dir_ / "stand-in"),
                          dir_.path());
        FolderList dir1(drives, fs_, dir_ / "music");
        DriveSelector drive2(drives, drives.drive_of(card_.root()));
        test::ScriptedMessageBox messages;
        messages.answers = {Answer::no};
        test::FakeProgress progress;
        test::FakeControls controls;
        test::GapRecorder window;
        RunEvents events(window);
        const auto card = responsive_card(fs_, events);
        const double total = song_bytes;
        TransferRun run({list_, total, drive2, dir1, [] { return std::string("MP3"); },
                         [](const std::string&, const std::string&) {}},
                        {*card, drives, clock, messages, events, progress, controls});
        window.begin();
        run.start();
        if (messages.texts().back() != "処理が終了しました")
            throw std::runtime_error(messages.texts().back());
        return window.longest();
    }

private:
    test::ScratchFolder dir_;
    test::SlowCard card_;
    PosixFileSystem fs_;
    std::string song_;
    TransferList list_;
};

std::optional<Bench>& bench() {
    static std::optional<Bench> instance;
    return instance;
}

double milliseconds(steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void bare_copy(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        bench()->clear_card();
        state.ResumeTiming();
        bench()->copy();
    }
}

void run_with_pauses_at_once(benchmark::State& state) {
    test::PausesPassAtOnce clock;
    steady_clock::duration longest{};
    for (auto _ : state) {
        state.PauseTiming();
        bench()->clear_card();
        state.ResumeTiming();
        longest = std::max(longest, bench()->run(clock));
    }
    state.counters["longest_gap_ms"] = milliseconds(longest);
}

void run_with_the_wait_rule(benchmark::State& state) {
    SteadyClock clock;
    steady_clock::duration longest{};
    steady_clock::duration copy{};
    for (auto _ : state) {
        state.PauseTiming();
        bench()->clear_card();
        const auto start = steady_clock::now();
        bench()->copy();
        copy = steady_clock::now() - start;
        bench()->clear_card();
        state.ResumeTiming();
        longest = std::max(longest, bench()->run(clock));
    }
    state.counters["longest_gap_ms"] = milliseconds(longest);
    state.counters["copy_plus_wait_s"] =
        std::chrono::duration<double>(copy).count() +
        static_cast<double>(wait_limit(song_bytes)) * seconds_per_wait_unit;
}

BENCHMARK(bare_copy)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(5);
BENCHMARK(run_with_pauses_at_once)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5);
BENCHMARK(run_with_the_wait_rule)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(1);

} // namespace
} // namespace kadoru

int main(int argc, char** argv) {
    return kadoru::run_benchmarks(argc, argv, [] { kadoru::bench().emplace(); });
}
