// What the Windows pair's files do beyond what both pairs promise: a full card (the
// letter of 256 KiB that ./scripts/test windows gives Wine, a tmpfs as root).
#include "platform/failure.h"
#include "platform/paths.h"
#include "platform/windows/windows_file_system.h"
#include "support/failure_of.h"
#include "support/scratch_folder.h"
#include "system_pair.h"

#include <filesystem>
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

} // namespace
} // namespace kadoru
