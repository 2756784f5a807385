// What the POSIX pair does beyond what both pairs promise (file_system_test.cpp):
// errno's numbers, links, pipes, permissions and read-only volumes.
#include "platform/failure.h"
#include "platform/linux/errno_failure.h"
#include "platform/linux/posix_file_system.h"
#include "support/failure_of.h"
#include "support/scratch.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace kadoru {
namespace {

namespace stdfs = std::filesystem;
using test::failure_of;
using test::ScratchFolder;
using test::TmpfsMount;
using ::testing::UnorderedElementsAre;

struct ErrnoCase {
    int error;
    PathRole role;
    int code;
};

std::string errno_case_name(const ::testing::TestParamInfo<ErrnoCase>& info) {
    return std::string(::strerrorname_np(info.param.error)) +
           (info.param.role == PathRole::file ? "_file" : "_folder");
}

void PrintTo(const ErrnoCase& c, std::ostream* out) {
    *out << ::strerrorname_np(c.error);
}

class ErrnoMapping : public ::testing::TestWithParam<ErrnoCase> {};

TEST_P(ErrnoMapping, GivesTheFailureNumber) {
    EXPECT_EQ(failure_code_from_errno(GetParam().error, GetParam().role), GetParam().code)
        << std::strerror(GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ErrnoMapping,
    ::testing::Values(
        ErrnoCase{ENOENT, PathRole::file, 53}, ErrnoCase{ENOENT, PathRole::folder, 76},
        ErrnoCase{ENOTDIR, PathRole::file, 76}, ErrnoCase{EIO, PathRole::file, 57},
        ErrnoCase{EEXIST, PathRole::file, 58}, ErrnoCase{ENOSPC, PathRole::file, 61},
        ErrnoCase{EDQUOT, PathRole::file, 61}, ErrnoCase{EFBIG, PathRole::file, 61},
        ErrnoCase{EACCES, PathRole::file, 70}, ErrnoCase{EPERM, PathRole::file, 70},
        ErrnoCase{EROFS, PathRole::folder, 70}, ErrnoCase{EBUSY, PathRole::file, 70},
        ErrnoCase{ETXTBSY, PathRole::file, 70}, ErrnoCase{ENOMEDIUM, PathRole::file, 71},
        ErrnoCase{ENODEV, PathRole::file, 71}, ErrnoCase{ENXIO, PathRole::file, 71},
        ErrnoCase{ENOTCONN, PathRole::file, 71}, ErrnoCase{EISDIR, PathRole::file, 75},
        ErrnoCase{ENAMETOOLONG, PathRole::folder, 75}, ErrnoCase{EINVAL, PathRole::file, 75},
        ErrnoCase{EMLINK, PathRole::file, 75}),
    errno_case_name);

class PosixFileSystemTest : public ::testing::Test {
protected:
    ScratchFolder dir;
    PosixFileSystem fs;
};

TEST_F(PosixFileSystemTest, ListsWhatLinksLeadToAndPassesOverDeadOnes) {
    dir.write("曲5.mp3", "12345");
    stdfs::create_directory(dir / "sub.mp3");
    stdfs::create_symlink(dir / "曲5.mp3", dir / "link.mp3");
    stdfs::create_symlink(dir / "gone.mp3", dir / "dead.mp3");
    stdfs::create_directory_symlink(dir / "sub.mp3", dir / "sublink");
    std::vector<std::string> names;
    for (const auto& file : fs.files(dir.path()))
        names.push_back(file.name);
    EXPECT_THAT(names, UnorderedElementsAre("曲5.mp3", "link.mp3"));
    EXPECT_THAT(fs.subfolders(dir.path()), UnorderedElementsAre("sub.mp3", "sublink"));
}

TEST_F(PosixFileSystemTest, SameFileFollowsLinksAndExtraSeparators) {
    const std::string a = dir.write("a.mp3", "same");
    stdfs::create_symlink(a, dir / "soft.mp3");
    for (const std::string& other : {dir / "soft.mp3", dir.path() + "//./a.mp3"})
        EXPECT_TRUE(fs.same_file(a, other)) << other;
}

TEST_F(PosixFileSystemTest, WritingTextKeepsTheOldFilesPermissions) {
    const std::string path = dir.write("kadoset.ini", "old,x:");
    ::chmod(path.c_str(), 0640);
    fs.write_text(path, "/m,e:");
    EXPECT_EQ(stdfs::status(path).permissions(), static_cast<stdfs::perms>(0640));
}

TEST_F(PosixFileSystemTest, PipesAndDeadLinksAreNoReadableFiles) {
    const std::string song = dir.write("曲.mp3", "12345");
    stdfs::create_symlink(song, dir / "link.mp3");
    stdfs::create_symlink(dir / "gone.mp3", dir / "dead.mp3");
    ASSERT_EQ(::mkfifo((dir / "pipe.mp3").c_str(), 0600), 0);
    EXPECT_EQ(fs.readable_file(dir / "link.mp3"), fs.readable_file(song));
    for (const std::string& other : {dir / "dead.mp3", dir / "pipe.mp3"})
        EXPECT_EQ(fs.readable_file(other), std::nullopt) << other;
    // A pipe is refused at once rather than waited on.
    EXPECT_EQ(failure_of([&] { fs.read_file(dir / "pipe.mp3", 100); }), 75);
    // The stamp keeps the nanoseconds the file system keeps.
    const auto before = fs.readable_file(song)->modified;
    stdfs::last_write_time(song, stdfs::last_write_time(song) + std::chrono::nanoseconds(1));
    EXPECT_EQ(fs.readable_file(song)->modified - before, std::chrono::nanoseconds(1));
}

TEST(PosixFileSystemOnTmpfs, WritingToAReadOnlyVolumeIsRefused) {
    const ScratchFolder dir;
    TmpfsMount volume(dir / "ro");
    if (!volume.mounted())
        GTEST_SKIP() << volume.why_not();
    PosixFileSystem fs;
    const std::string path = volume.path() + "/kadoset.ini";
    fs.write_text(path, "/m,e:");
    volume.unmount();
    volume.mount_again(MS_RDONLY);
    ASSERT_TRUE(volume.mounted()) << volume.why_not();
    EXPECT_EQ(failure_of([&] { fs.write_text(path, "/n,f:"); }), 70);
    EXPECT_EQ(failure_of([&] { fs.create_folder(volume.path() + "/sub"); }), 70);
}

} // namespace
} // namespace kadoru
