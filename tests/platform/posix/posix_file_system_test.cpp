#include "platform/failure.h"
#include "platform/posix/errno_failure.h"
#include "platform/posix/posix_file_system.h"
#include "support/failure_of.h"
#include "support/scratch.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
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

TEST_F(PosixFileSystemTest, ListsFilesInTheOrderTheDirectoryReadGivesWithTheirSizes) {
    // Created out of name order: whatever order the volume keeps, sorting would show.
    for (int i = 0; i < 40; ++i) {
        const int n = (i * 17) % 40;
        dir.write("曲" + std::to_string(n) + ".mp3",
                  std::string(static_cast<std::size_t>(n) * 3, 'x'));
    }
    stdfs::create_directory(dir / "sub.mp3");
    stdfs::create_symlink(dir / "曲5.mp3", dir / "link.mp3");
    stdfs::create_symlink(dir / "gone.mp3", dir / "dead.mp3");
    stdfs::create_directory_symlink(dir / "sub.mp3", dir / "sublink");

    std::vector<std::string> directory_order;
    for (const auto& entry : stdfs::directory_iterator(dir.path()))
        if (std::error_code error; entry.is_regular_file(error))
            directory_order.push_back(entry.path().filename().string());

    const auto files = fs.files(dir.path());
    std::vector<std::string> names;
    for (const auto& file : files) {
        names.push_back(file.name);
        EXPECT_EQ(file.size, stdfs::file_size(dir / file.name)) << file.name;
    }
    EXPECT_EQ(names, directory_order);
    EXPECT_EQ(names.size(), 41U);
    EXPECT_FALSE(std::is_sorted(names.begin(), names.end()));
    EXPECT_THAT(fs.subfolders(dir.path()), UnorderedElementsAre("sub.mp3", "sublink"));
}

TEST_F(PosixFileSystemTest, ListingAFolderThatIsNotThereFails) {
    const std::string file = dir.write("a.mp3", "x");
    for (const std::string& folder : {dir / "missing", file, std::string{}}) {
        EXPECT_EQ(failure_of([&] { fs.files(folder); }), 76) << folder;
        EXPECT_EQ(failure_of([&] { fs.subfolders(folder); }), 76) << folder;
    }
    EXPECT_TRUE(fs.is_folder(dir.path()));
    EXPECT_FALSE(fs.is_folder(file));
    EXPECT_FALSE(fs.is_folder(dir / "missing"));
}

TEST_F(PosixFileSystemTest, SameFileLooksAtTheFileNotTheSpelling) {
    const std::string a = dir.write("a.mp3", "same");
    const std::string b = dir.write("b.mp3", "same");
    stdfs::create_hard_link(a, dir / "hard.mp3");
    stdfs::create_symlink(a, dir / "soft.mp3");
    stdfs::create_directory(dir / "sub");
    for (const std::string& other :
         {a, dir / "hard.mp3", dir / "soft.mp3", dir / "sub/../a.mp3", dir.path() + "//./a.mp3"})
        EXPECT_TRUE(fs.same_file(a, other)) << other;
    EXPECT_FALSE(fs.same_file(a, b));
    EXPECT_FALSE(fs.same_file(a, dir / "missing"));
    EXPECT_FALSE(fs.same_file(dir / "missing", dir / "missing"));
}

struct DeleteCase {
    const char* what;
    std::function<std::string(const ScratchFolder&)> make; // returns the path to delete
    int code;                                              // 0: deleted
};

void PrintTo(const DeleteCase& c, std::ostream* out) {
    *out << c.what;
}

class DeleteFile : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(DeleteFile, DeletesWithoutForcing) {
    const ScratchFolder dir;
    PosixFileSystem fs;
    const std::string path = GetParam().make(dir);
    EXPECT_EQ(failure_of([&] { fs.delete_file(path); }), GetParam().code);
    std::error_code error;
    EXPECT_EQ(stdfs::symlink_status(path, error).type() == stdfs::file_type::not_found,
              GetParam().code == 0 || GetParam().code == 53 || GetParam().code == 76);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DeleteFile,
    ::testing::Values(DeleteCase{"plain",
                                 [](const ScratchFolder& d) { return d.write("a.mp3", "x"); }, 0},
                      DeleteCase{"write-protected, even for root",
                                 [](const ScratchFolder& d) {
                                     auto p = d.write("a.mp3", "x");
                                     ::chmod(p.c_str(), 0444);
                                     return p;
                                 },
                                 70},
                      DeleteCase{"missing", [](const ScratchFolder& d) { return d / "a.mp3"; }, 53},
                      DeleteCase{"in a missing folder",
                                 [](const ScratchFolder& d) { return d / "no/a.mp3"; }, 76},
                      DeleteCase{"a folder",
                                 [](const ScratchFolder& d) {
                                     stdfs::create_directory(d / "f.mp3");
                                     return d / "f.mp3";
                                 },
                                 75}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(PosixFileSystemTest, WritesTextInPlaceOfTheOldFileAndNothingElse) {
    const std::string path = dir.write("kadoset.ini", "a much longer old record,x:\r\n");
    ::chmod(path.c_str(), 0640);
    fs.write_text(path, "/m,e:");
    EXPECT_EQ(dir.read("kadoset.ini"), "/m,e:");
    EXPECT_EQ(stdfs::status(path).permissions(), static_cast<stdfs::perms>(0640));
    EXPECT_EQ(std::distance(stdfs::directory_iterator(dir.path()), stdfs::directory_iterator()), 1);

    EXPECT_EQ(failure_of([&] { fs.write_text(dir / "no/kadoset.ini", "x"); }), 76);
    stdfs::create_directory(dir / "folder");
    EXPECT_EQ(failure_of([&] { fs.write_text(dir / "folder", "x"); }), 75);
    EXPECT_TRUE(stdfs::is_empty(dir / "folder"));
}

struct FirstLineCase {
    std::string content;
    std::string line;
};

void PrintTo(const FirstLineCase& c, std::ostream* out) {
    *out << c.content.size() << " bytes";
}

class FirstLine : public ::testing::TestWithParam<FirstLineCase> {};

TEST_P(FirstLine, StopsAtTheFirstLineBreak) {
    const ScratchFolder dir;
    EXPECT_EQ(PosixFileSystem().read_first_line(dir.write("f", GetParam().content)),
              GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FirstLine,
    ::testing::Values(FirstLineCase{"abc", "abc"}, FirstLineCase{"abc\r\ndef", "abc"},
                      FirstLineCase{"abc\ndef", "abc"}, FirstLineCase{"abc\rdef", "abc"},
                      FirstLineCase{"\nabc", ""},
                      FirstLineCase{std::string("a\0b", 3), std::string("a\0b", 3)},
                      FirstLineCase{std::string(5000, 'x') + "\ny", std::string(5000, 'x')},
                      FirstLineCase{std::string(4095, 'x') + "\r\n", std::string(4095, 'x')},
                      FirstLineCase{std::string(9000, 'y'), std::string(9000, 'y')}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(PosixFileSystemTest, ReadingFailsOnAnEmptyOrMissingFile) {
    EXPECT_EQ(failure_of([&] { fs.read_first_line(dir.write("empty", "")); }), 62);
    EXPECT_EQ(failure_of([&] { fs.read_first_line(dir / "missing"); }), 53);
    EXPECT_EQ(failure_of([&] { fs.read_first_line(dir / "no/missing"); }), 76);
    EXPECT_EQ(failure_of([&] { fs.read_first_line(dir.path()); }), 75);
}

TEST_F(PosixFileSystemTest, OnlyRegularFilesCountAsReadableFiles) {
    const std::string song = dir.write("曲.mp3", "12345");
    stdfs::create_symlink(song, dir / "link.mp3");
    stdfs::create_symlink(dir / "gone.mp3", dir / "dead.mp3");
    ASSERT_EQ(::mkfifo((dir / "pipe.mp3").c_str(), 0600), 0);
    EXPECT_EQ(fs.readable_file(song)->size, 5U);
    EXPECT_EQ(fs.readable_file(dir / "link.mp3"), fs.readable_file(song));
    for (const std::string& other :
         {dir / "dead.mp3", dir / "pipe.mp3", dir.path(), dir / "missing.mp3", std::string{}})
        EXPECT_EQ(fs.readable_file(other), std::nullopt) << other;
    // The stamp follows the file's modification time, to the nanosecond it keeps.
    const auto before = fs.readable_file(song)->modified;
    stdfs::last_write_time(song, stdfs::last_write_time(song) + std::chrono::nanoseconds(1500));
    EXPECT_EQ(fs.readable_file(song)->modified - before, std::chrono::nanoseconds(1500));
}

TEST_F(PosixFileSystemTest, ReadsAWholeFileUpToItsLimit) {
    const std::string bytes = std::string("#EXTM3U\r\n\0\x8b\xc8", 12) + std::string(70'000, 'x');
    const std::string list = dir.write("list.m3u", bytes);
    EXPECT_EQ(fs.read_file(list, bytes.size()), bytes);
    EXPECT_EQ(failure_of([&] { fs.read_file(list, bytes.size() - 1); }), 75);
    // A pipe is refused at once rather than waited on.
    ASSERT_EQ(::mkfifo((dir / "pipe.m3u").c_str(), 0600), 0);
    EXPECT_EQ(failure_of([&] { fs.read_file(dir / "pipe.m3u", 100); }), 75);
    EXPECT_EQ(failure_of([&] { fs.read_file(dir / "missing.m3u", 100); }), 53);
    EXPECT_EQ(failure_of([&] { fs.read_file(dir.path(), 100); }), 75);
}

TEST_F(PosixFileSystemTest, CreatesFoldersAndTheFoldersAboveThem) {
    fs.create_folder(dir / "a/b/c");
    fs.create_folder(dir / "a/b/c/");
    EXPECT_TRUE(stdfs::is_directory(dir / "a/b/c"));
    dir.write("file", "x");
    EXPECT_EQ(failure_of([&] { fs.create_folder(dir / "file"); }), 58);
    EXPECT_EQ(failure_of([&] { fs.create_folder(dir / "file/sub"); }), 76);
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
