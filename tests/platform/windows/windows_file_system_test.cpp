// What the Windows pair's files do beyond what both pairs promise: a full card (the
// letter of 256 KiB that ./scripts/test windows gives Wine, a tmpfs as root), and
// the arrangement of a card's entries.
#include "platform/failure.h"
#include "platform/paths.h"
#include "platform/windows/windows_file_system.h"
#include "support/failure_of.h"
#include "support/scratch_folder.h"
#include "system_pair.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace kadoru {
namespace {

namespace stdfs = std::filesystem;
using test::failure_of;
using test::ScratchFolder;
using test::std_path;

TEST(WindowsFileSystemOnASmallCard, RunningOutOfRoomFailsWithDiskFullAndLeavesNoPartialFile) {
    const std::string small = test::test_letter("KADORU_TEST_SMALL_CARD");
    if (small.empty())
        GTEST_SKIP() << "no small card: run ./scripts/test windows as root";
    const std::string root = small + "\\";
    test::empty_root_folder(root);
    const ScratchFolder dir;
    const std::string big = dir.write("big.mp3", std::string(std::size_t{1} << 20, 'b'));
    WindowsFileSystem fs;
    fs.copy_file(dir.write("small.mp3", "tiny"), root + "song.mp3");

    EXPECT_EQ(failure_of([&] { fs.copy_file(big, root + "song.mp3"); }), 61);
    EXPECT_EQ(failure_of([&] { fs.copy_file(big, root + "new.mp3"); }), 61);
    EXPECT_EQ(failure_of([&] { fs.write_text(root + "kadoset.ini", std::string(1 << 20, 'x')); }),
              61);
    EXPECT_TRUE(fs.entry_names(root).empty());
}

// The arrangement of a card's entries: a rename in place, one folder made or removed.
struct ArrangeCase {
    const char* what;
    std::function<void(WindowsFileSystem&, const ScratchFolder&)> act;
    int code; // 0: done
};

void PrintTo(const ArrangeCase& c, std::ostream* out) {
    *out << c.what;
}

class Arrangement : public ::testing::TestWithParam<ArrangeCase> {};

TEST_P(Arrangement, NeverReplacesAnythingNorRemovesWhatAFolderHolds) {
    const ScratchFolder dir;
    dir.write("a.mp3", "a");
    dir.write("b.mp3", "b");
    stdfs::create_directory(std_path(dir / "full"));
    dir.write("full/c.mp3", "c");
    stdfs::create_directory(std_path(dir / "empty"));
    WindowsFileSystem fs;
    EXPECT_EQ(failure_of([&] { GetParam().act(fs, dir); }), GetParam().code);
    EXPECT_EQ(dir.read("full/c.mp3"), "c");
    if (GetParam().code != 0) {
        EXPECT_EQ(dir.read("a.mp3"), "a");
        EXPECT_EQ(dir.read("b.mp3"), "b");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Arrangement,
    ::testing::Values(ArrangeCase{"moved",
                                  [](WindowsFileSystem& fs, const ScratchFolder& d) {
                                      fs.move_entry(d / "a.mp3", d / "曲.mp3");
                                      EXPECT_EQ(d.read("曲.mp3"), "a");
                                      EXPECT_FALSE(stdfs::exists(std_path(d / "a.mp3")));
                                  },
                                  0},
                      ArrangeCase{"onto an existing file",
                                  [](WindowsFileSystem& fs, const ScratchFolder& d) {
                                      fs.move_entry(d / "a.mp3", d / "b.mp3");
                                  },
                                  58},
                      ArrangeCase{"from nothing",
                                  [](WindowsFileSystem& fs, const ScratchFolder& d) {
                                      fs.move_entry(d / "gone.mp3", d / "c.mp3");
                                  },
                                  53},
                      ArrangeCase{"a folder made",
                                  [](WindowsFileSystem& fs, const ScratchFolder& d) {
                                      fs.make_folder(d / "アルバム");
                                      EXPECT_TRUE(stdfs::is_directory(std_path(d / "アルバム")));
                                  },
                                  0},
                      ArrangeCase{"a folder over a file",
                                  [](WindowsFileSystem& fs, const ScratchFolder& d) {
                                      fs.make_folder(d / "a.mp3");
                                  },
                                  58},
                      ArrangeCase{"an empty folder removed",
                                  [](WindowsFileSystem& fs, const ScratchFolder& d) {
                                      fs.remove_empty_folder(d / "empty");
                                      EXPECT_FALSE(stdfs::exists(std_path(d / "empty")));
                                  },
                                  0},
                      ArrangeCase{"a folder that holds a file",
                                  [](WindowsFileSystem& fs, const ScratchFolder& d) {
                                      fs.remove_empty_folder(d / "full");
                                  },
                                  75}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

} // namespace
} // namespace kadoru
