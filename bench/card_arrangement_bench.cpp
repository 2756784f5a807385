// Arranging the card's own songs: every song out into the working folder and back in
// reversed order, with the order guard behind each. Against the slot fake (the
// algorithm alone) and on a FAT32 card image through the FUSE FAT driver (needs root,
// /dev/fuse, dosfstools, mtools and fusefat; skipped otherwise):
//   sudo ./build/bench/bench/card_arrangement_bench
#include "fakes/fake_drives.h"
#include "fakes/fake_slot_file_system.h"
#include "platform/posix/drive_table.h"
#include "platform/posix/posix_file_system.h"
#include "support/card_image.h"
#include "support/card_mounts.h"
#include "transfer/card_arrangement.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
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

void BM_ArrangeOnAFuseFat32Card(benchmark::State& state) {
    const auto songs = song_names(static_cast<int>(state.range(0)));
    test::ScratchFolder dir;
    test::CardImage card(dir, test::CardImage::Format::fat32);
    std::vector<std::string> made = {others[0]};
    made.insert(made.end(), songs.begin(), songs.end());
    made.push_back(others[1]);
    if (!card.mounted() || !card.put_unmounted(dir, made) || !card.mount()) {
        state.SkipWithError(card.mounted() ? "cannot fill the card" : card.why_not().c_str());
        return;
    }
    const DriveTable drives(std::make_unique<test::CardMounts>(card.root()), dir.path(),
                            {"/", {card.root()}});
    PosixFileSystem fs;
    auto order = songs;
    for (auto _ : state) {
        std::reverse(order.begin(), order.end());
        if (arrange_card(fs, drives, "e:", order, [](int, int) {}))
            state.SkipWithError("the order read back is not the one chosen");
    }
}
BENCHMARK(BM_ArrangeOnAFuseFat32Card)->Arg(500)->Arg(2000)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
} // namespace kadoru

BENCHMARK_MAIN();
