// Arranging the card's own songs: every song out into the working folder and back in
// reversed order, with the order guard behind each. Against the slot fake (the
// algorithm alone) and on FAT32 and exFAT card images through the FUSE drivers (needs
// root, /dev/fuse, dosfstools, mtools, fusefat and exfat-fuse; skipped otherwise):
//   sudo ./build/bench/bench/card_arrangement_bench
#include "card/card_arrangement.h"
#include "fakes/fake_drives.h"
#include "fakes/fake_slot_file_system.h"
#include "platform/linux/drive_table.h"
#include "platform/linux/posix_file_system.h"
#include "support/card_image.h"
#include "support/card_mounts.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace kadoru {
namespace {

// Song names of 20 to 40 characters, as albums' titles run; three other files.
std::vector<std::string> song_names(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "%04d %.*s.mp3", i, 11 + i % 25,
                      "a song title that runs on and on");
        names.emplace_back(name);
    }
    return names;
}
const std::vector<std::string> others = {"KEEP.WMA", "voice memo.wma", "NOTES.TXT"};

void BM_ArrangeOnTheSlotFake(benchmark::State& state) {
    const auto songs = song_names(static_cast<int>(state.range(0)));
    test::FakeDrives drives;
    drives.add("e:", "/card").type = "vfat";
    test::SlotFileSystem fs;
    fs.add_folder("/card");
    fs.put("/card/" + others[0]);
    for (const auto& name : songs)
        fs.put("/card/" + name);
    fs.put("/card/" + others[1]);
    auto order = songs;
    for (auto _ : state) {
        std::reverse(order.begin(), order.end());
        benchmark::DoNotOptimize(arrange_card(fs, drives, "e:", order, [](int, int) {}));
    }
}
BENCHMARK(BM_ArrangeOnTheSlotFake)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);

// How an arrangement on a card changes the order the card holds: the whole order
// reversed, or the last ten songs (the rest staying where they are).
enum class Change { reversed, last_ten };

// The image is filled unmounted with mtools where it is FAT; exFAT has no such tool,
// so its files are written through the mount, in the same order.
void BM_ArrangeOnAFuseCard(benchmark::State& state, test::CardImage::Format format, Change change) {
    const auto songs = song_names(static_cast<int>(state.range(0)));
    test::ScratchFolder dir;
    test::CardImage card(dir, format);
    std::vector<std::string> made = {others[0]};
    made.insert(made.end(), songs.begin(), songs.end());
    made.push_back(others[1]);
    const auto write_through_mount = [&] {
        return std::all_of(made.begin(), made.end(), [&](const std::string& name) {
            return static_cast<bool>(std::ofstream(card.root() + "/" + name));
        });
    };
    const bool filled = format == test::CardImage::Format::exfat
                            ? card.mounted() && write_through_mount()
                            : card.put_unmounted(dir, made) && card.mount();
    if (!card.mounted() || !filled) {
        state.SkipWithError(card.mounted() ? "cannot fill the card" : card.why_not().c_str());
        return;
    }
    const DriveTable drives = test::card_drive_table(card.root(), dir.path());
    PosixFileSystem fs;
    auto order = songs;
    for (auto _ : state) {
        if (change == Change::reversed)
            std::reverse(order.begin(), order.end());
        else
            std::reverse(order.end() - std::min<std::ptrdiff_t>(10, std::ssize(order)),
                         order.end());
        if (arrange_card(fs, drives, "e:", order, [](int, int) {}) != ArrangementResult{})
            state.SkipWithError("the order read back is not the one chosen");
    }
}
BENCHMARK_CAPTURE(BM_ArrangeOnAFuseCard, fat32, test::CardImage::Format::fat32, Change::reversed)
    ->Arg(500)
    ->Arg(2000)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_ArrangeOnAFuseCard, exfat, test::CardImage::Format::exfat, Change::reversed)
    ->Arg(500)
    ->Arg(2000)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_ArrangeOnAFuseCard, fat32_last_ten, test::CardImage::Format::fat32,
                  Change::last_ten)
    ->Arg(500)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_ArrangeOnAFuseCard, exfat_last_ten, test::CardImage::Format::exfat,
                  Change::last_ten)
    ->Arg(500)
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

} // namespace
} // namespace kadoru

BENCHMARK_MAIN();
