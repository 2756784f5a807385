#include "platform/failure.h"
#include "platform/linux/file_copy.h"
#include "platform/linux/posix_file_system.h"
#include "support/failure_of.h"
#include "support/fat_volume.h"
#include "support/scratch.h"
#include "support/song_files.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

namespace kadoru {
namespace {

namespace stdfs = std::filesystem;
using test::failure_of;
using test::FatVolume;
using test::random_bytes;
using test::ScratchFolder;
using test::TmpfsMount;
using ::testing::ElementsAre;

class CopyMethods : public ::testing::TestWithParam<CopyMethod> {};

TEST_P(CopyMethods, ReplaceAnExistingFileByteForByte) {
    const ScratchFolder dir;
    for (const std::size_t size : {std::size_t{0}, std::size_t{3} << 20 | 17}) {
        const std::string content = random_bytes(size);
        const std::string from = dir.write("from.mp3", content);
        const std::string to = dir.write("to.mp3", std::string(size + 5000, 'o'));
        copy_file_in_place(from, to, GetParam());
        EXPECT_EQ(dir.read("to.mp3"), content) << size;
        copy_file_in_place(from, dir / "new.mp3", GetParam());
        EXPECT_EQ(dir.read("new.mp3"), content) << size;
        stdfs::remove(dir / "new.mp3");
    }
}

std::string method_name(const ::testing::TestParamInfo<CopyMethod>& info) {
    constexpr std::array<const char*, 3> names = {"copy_file_range", "sendfile", "read_write"};
    return names.at(static_cast<std::size_t>(info.param));
}

INSTANTIATE_TEST_SUITE_P(Each, CopyMethods,
                         ::testing::Values(CopyMethod::copy_file_range, CopyMethod::sendfile,
                                           CopyMethod::read_write),
                         method_name);

// (What every copy promises is tested on both pairs in file_system_test.cpp.)
TEST(FileCopy, NeverCopiesAFileOntoItselfThroughALink) {
    const ScratchFolder dir;
    const std::string content = random_bytes(10000);
    const std::string from = dir.write("a.mp3", content);
    stdfs::create_symlink(from, dir / "soft.mp3");
    PosixFileSystem fs;
    for (const std::string& to : {dir.path() + "/./a.mp3", dir / "soft.mp3"}) {
        EXPECT_EQ(failure_of([&] { fs.copy_file(from, to); }), 75) << to;
        EXPECT_EQ(dir.read("a.mp3"), content) << to;
    }
    EXPECT_TRUE(stdfs::is_symlink(dir / "soft.mp3"));
}

TEST(FileCopyOnTmpfs, ACopyThatRunsOutOfRoomLeavesNoPartialFile) {
    const ScratchFolder dir;
    TmpfsMount card(dir / "card");
    if (!card.mounted())
        GTEST_SKIP() << card.why_not();
    const std::string big = dir.write("big.mp3", random_bytes(std::size_t{2} << 20));
    const std::string small = dir.write("small.mp3", "tiny");
    const std::string to = card.path() + "/big.mp3";
    PosixFileSystem fs;
    fs.copy_file(small, to);
    struct statvfs before {};
    ::statvfs(card.path().c_str(), &before);

    for (const CopyMethod method :
         {CopyMethod::copy_file_range, CopyMethod::sendfile, CopyMethod::read_write}) {
        fs.copy_file(small, to);
        EXPECT_EQ(failure_of([&] { copy_file_in_place(big, to, method); }), 61);
        EXPECT_FALSE(stdfs::exists(to));
        EXPECT_EQ(failure_of([&] { copy_file_in_place(big, card.path() + "/new.mp3", method); }),
                  61);
        EXPECT_TRUE(stdfs::is_empty(card.path()));
    }
    fs.copy_file(small, to);
    struct statvfs after {};
    ::statvfs(card.path().c_str(), &after);
    EXPECT_EQ(after.f_bavail, before.f_bavail);
}

TEST(FileCopyOnFat, ListingShowsTheCardsEntryOrder) {
    const ScratchFolder dir;
    const FatVolume card(dir);
    if (!card.mounted())
        GTEST_SKIP() << card.why_not();
    const std::string song = dir.write("song.mp3", random_bytes(5000));
    PosixFileSystem fs;
    const auto order = [&] {
        std::vector<std::string> names;
        for (const auto& file : fs.files(card.root()))
            names.push_back(file.name);
        return names;
    };
    for (const char* name : {"b.mp3", "a.mp3", "c.mp3"})
        fs.copy_file(song, card / name);
    ASSERT_THAT(order(), ElementsAre("b.mp3", "a.mp3", "c.mp3"));
    fs.delete_file(card / "a.mp3");
    fs.copy_file(song, card / "d.mp3"); // takes the free slot a.mp3 left
    // (The FUSE driver cannot rewrite a truncated file at all, so replacing one in
    // place is not tried here.)
    EXPECT_THAT(order(), ElementsAre("b.mp3", "d.mp3", "c.mp3"));
    EXPECT_EQ(fs.files(card.root()).front().size, 5000U);
}

} // namespace
} // namespace kadoru
