// The order guard's added time on a FAT card through the FUSE FAT driver: a root
// folder of 2,000 entries with 200 free slots in holes (50 holes of four slots, which
// take two placeholders each), one file placed after them all. Each iteration is
// the guard's whole work for that file: the look for leftovers, the placeholders,
// and their removal at the end, which brings the holes back for the next one.
// Compared with making and removing one file there, the entry a copy makes anyway.
// Needs root, /dev/fuse, dosfstools, mtools and fusefat:
//   sudo ./build/bench/bench/order_guard_bench
#include "card/order_guard.h"
#include "platform/linux/posix_file_system.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace kadoru {
namespace {

namespace stdfs = std::filesystem;

constexpr int kept_entries = 2000;
constexpr int holes = 50; // four slots each

bool run_quietly(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// The card image, made with mtools (fast where the FUSE driver is slow to add
// thousands of names), and mounted through the FUSE driver for the benchmark.
class Card {
public:
    Card() {
        std::string pattern = (stdfs::temp_directory_path() / "kadoru-order-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        dir_ = pattern;
        const std::string image = dir_ + "/card.img";
        const std::string files = dir_ + "/files";
        stdfs::create_directory(files);
        stdfs::create_directory(root());
        std::string deleted;
        // Every 41st name goes again; with 30 characters it takes four slots.
        for (int i = 0; i < kept_entries + holes; ++i) {
            const bool hole = i % 41 == 20 && i / 41 < holes;
            char name[64];
            std::snprintf(name, sizeof name,
                          hole ? "h%04d a name to be deleted.mp3" : "t%04d track.mp3", i);
            std::ofstream(files + "/" + name).put('x');
            if (hole)
                deleted += std::string(" '::/") + name + "'";
        }
        if (!run_quietly("truncate -s 64M '" + image + "' && mkfs.vfat -F 32 -s 1 '" + image +
                         "'") ||
            !run_quietly("cd '" + files + "' && MTOOLS_SKIP_CHECK=1 mcopy -i '" + image +
                         "' * ::/") ||
            !run_quietly("MTOOLS_SKIP_CHECK=1 mdel -i '" + image + "'" + deleted) ||
            !run_quietly("fusefat -o rw+ '" + image + "' '" + root() + "'"))
            throw std::runtime_error("cannot make the card (root, dosfstools, mtools, fusefat?)");
        mounted_ = true;
    }
    Card(const Card&) = delete;
    Card& operator=(const Card&) = delete;
    Card(Card&&) = delete;
    Card& operator=(Card&&) = delete;
    ~Card() {
        if (mounted_)
            run_quietly("fusermount -u '" + root() + "'");
        std::error_code error;
        stdfs::remove_all(dir_, error);
    }
    std::string root() const { return dir_ + "/card"; }

private:
    std::string dir_;
    bool mounted_ = false;
};

Card& card() {
    static Card instance;
    return instance;
}

void BM_GuardPlacesOneFileAfter200FreeSlots(benchmark::State& state) {
    PosixFileSystem fs;
    const std::string root = card().root();
    for (auto _ : state) {
        OrderGuard guard(fs, root);
        guard.place_last(root + "/new song.mp3");
        guard.finish();
    }
    state.counters["entries"] = static_cast<double>(fs.entry_names(root).size());
}
BENCHMARK(BM_GuardPlacesOneFileAfter200FreeSlots)->Unit(benchmark::kSecond)->Iterations(2);

void BM_MakingAndRemovingOneFileThere(benchmark::State& state) {
    PosixFileSystem fs;
    const std::string root = card().root();
    for (auto _ : state) {
        fs.create_empty_file(root + "/new song.mp3");
        fs.delete_file(root + "/new song.mp3");
    }
}
BENCHMARK(BM_MakingAndRemovingOneFileThere)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace
} // namespace kadoru

BENCHMARK_MAIN();
