// The file-system services of whichever pair of the platform layer the build has,
// on temporary folders: what both pairs promise alike.
#include "platform/failure.h"
#include "support/failure_of.h"
#include "support/scratch_folder.h"
#include "support/song_files.h"
#include "system_pair.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kadoru {
namespace {

namespace stdfs = std::filesystem;
using test::failure_of;
using test::native;
using test::random_bytes;
using test::ScratchFolder;
using test::std_path;
using test::SystemFileSystem;
using ::testing::UnorderedElementsAre;

class FileSystemTest : public ::testing::Test {
protected:
    ScratchFolder dir;
    SystemFileSystem fs;
};

TEST_F(FileSystemTest, ListsFilesInTheOrderTheDirectoryReadGivesWithTheirSizes) {
    // Created out of name order: whatever order the volume keeps, sorting would show.
    for (int i = 0; i < 40; ++i) {
        const int n = (i * 17) % 40;
        dir.write("曲" + std::to_string(n) + ".mp3",
                  std::string(static_cast<std::size_t>(n) * 3, 'x'));
    }
    stdfs::create_directory(std_path(dir / "sub.mp3"));

    std::vector<std::string> directory_order;
    for (const auto& entry : stdfs::directory_iterator(std_path(dir.path())))
        if (std::error_code error; entry.is_regular_file(error))
            directory_order.push_back(test::utf8_of(entry.path().filename()));

    const auto files = fs.files(dir.path());
    std::vector<std::string> names;
    for (const auto& file : files) {
        names.push_back(file.name);
        EXPECT_EQ(file.size, stdfs::file_size(std_path(dir / file.name))) << file.name;
    }
    EXPECT_EQ(names, directory_order);
    EXPECT_EQ(names.size(), 40U);
    EXPECT_THAT(fs.subfolders(dir.path()), UnorderedElementsAre("sub.mp3"));
    auto entries = fs.entry_names(dir.path());
    EXPECT_EQ(entries.size(), 41U);
    entries.erase(std::remove(entries.begin(), entries.end(), "sub.mp3"), entries.end());
    EXPECT_EQ(entries, names);
}

TEST_F(FileSystemTest, ListingAFolderThatIsNotThereFails) {
    const std::string file = dir.write("a.mp3", "x");
    for (const std::string& folder : {dir / "missing", file, std::string{}}) {
        EXPECT_EQ(failure_of([&] { fs.files(folder); }), 76) << folder;
        EXPECT_EQ(failure_of([&] { fs.subfolders(folder); }), 76) << folder;
    }
    EXPECT_TRUE(fs.is_folder(dir.path()));
    EXPECT_FALSE(fs.is_folder(file));
    EXPECT_FALSE(fs.is_folder(dir / "missing"));
    EXPECT_TRUE(fs.is_file(file));
    EXPECT_FALSE(fs.is_file(dir.path()));
    EXPECT_FALSE(fs.is_file(dir / "missing"));
}

TEST_F(FileSystemTest, SameFileLooksAtTheFileNotTheSpelling) {
    const std::string a = dir.write("a.mp3", "same");
    const std::string b = dir.write("b.mp3", "same");
    stdfs::create_hard_link(std_path(a), std_path(dir / "hard.mp3"));
    stdfs::create_directory(std_path(dir / "sub"));
    for (const std::string& other : {a, dir / "hard.mp3", dir / "sub/../a.mp3", dir / "./a.mp3"})
        EXPECT_TRUE(fs.same_file(a, other)) << other;
    EXPECT_FALSE(fs.same_file(a, b));
    EXPECT_FALSE(fs.same_file(a, dir / "missing"));
    EXPECT_FALSE(fs.same_file(dir / "missing", dir / "missing"));
    EXPECT_EQ(fs.file_id(a), fs.file_id(dir / "hard.mp3"));
    EXPECT_NE(fs.file_id(a), fs.file_id(b));
    EXPECT_EQ(fs.file_id(dir / "missing"), std::nullopt);
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
    SystemFileSystem fs;
    const std::string path = GetParam().make(dir);
    EXPECT_EQ(failure_of([&] { fs.delete_file(path); }), GetParam().code);
    std::error_code error;
    EXPECT_EQ(stdfs::symlink_status(std_path(path), error).type() == stdfs::file_type::not_found,
              GetParam().code == 0 || GetParam().code == 53 || GetParam().code == 76);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DeleteFile,
    ::testing::Values(DeleteCase{"plain",
                                 [](const ScratchFolder& d) { return d.write("a.mp3", "x"); }, 0},
                      DeleteCase{"write-protected, even for root",
                                 [](const ScratchFolder& d) {
                                     auto p = d.write("a.mp3", "x");
                                     test::make_read_only(p);
                                     return p;
                                 },
                                 70},
                      DeleteCase{"missing", [](const ScratchFolder& d) { return d / "a.mp3"; }, 53},
                      DeleteCase{"in a missing folder",
                                 [](const ScratchFolder& d) { return d / "no/a.mp3"; }, 76},
                      DeleteCase{"a folder",
                                 [](const ScratchFolder& d) {
                                     stdfs::create_directory(std_path(d / "f.mp3"));
                                     return d / "f.mp3";
                                 },
                                 75}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(FileSystemTest, WritesTextInPlaceOfTheOldFileAndNothingElse) {
    const std::string path = dir.write("kadoset.ini", "a much longer old record,x:\r\n");
    fs.write_text(path, "/m,e:");
    EXPECT_EQ(dir.read("kadoset.ini"), "/m,e:");
    fs.write_text(dir / "新しい.ini", "ミュージック,e:"); // UTF-8 names and bytes, as they are
    EXPECT_EQ(dir.read("新しい.ini"), "ミュージック,e:");
    EXPECT_EQ(
        std::distance(stdfs::directory_iterator(std_path(dir.path())), stdfs::directory_iterator()),
        2);

    EXPECT_EQ(failure_of([&] { fs.write_text(dir / "no/kadoset.ini", "x"); }), 76);
    stdfs::create_directory(std_path(dir / "folder"));
    EXPECT_EQ(failure_of([&] { fs.write_text(dir / "folder", "x"); }), 75);
    EXPECT_TRUE(stdfs::is_empty(std_path(dir / "folder")));
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
    EXPECT_EQ(SystemFileSystem().read_first_line(dir.write("f", GetParam().content)),
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

TEST_F(FileSystemTest, ReadingFailsOnAnEmptyOrMissingFile) {
    EXPECT_EQ(failure_of([&] { fs.read_first_line(dir.write("empty", "")); }), 62);
    EXPECT_EQ(failure_of([&] { fs.read_first_line(dir / "missing"); }), 53);
    EXPECT_EQ(failure_of([&] { fs.read_first_line(dir / "no/missing"); }), 76);
    EXPECT_EQ(failure_of([&] { fs.read_first_line(dir.path()); }), 75);
}

TEST_F(FileSystemTest, OnlyRegularFilesCountAsReadableFiles) {
    const std::string song = dir.write("曲.mp3", "12345");
    EXPECT_EQ(fs.readable_file(song)->size, 5U);
    for (const std::string& other : {dir.path(), dir / "missing.mp3", std::string{}})
        EXPECT_EQ(fs.readable_file(other), std::nullopt) << other;
    // The stamp follows the file's modification time. (MinGW's library sets whole seconds.)
    const auto then = stdfs::last_write_time(std_path(song));
    stdfs::last_write_time(std_path(song), then);
    const auto before = fs.readable_file(song)->modified;
    stdfs::last_write_time(std_path(song), then + std::chrono::seconds(2));
    EXPECT_EQ(fs.readable_file(song)->modified - before, std::chrono::seconds(2));
}

TEST_F(FileSystemTest, ReadsAWholeFileUpToItsLimit) {
    const std::string bytes = std::string("#EXTM3U\r\n\0\x8b\xc8", 12) + std::string(70'000, 'x');
    const std::string list = dir.write("リスト.m3u", bytes);
    EXPECT_EQ(fs.read_file(list, bytes.size()), bytes);
    EXPECT_EQ(failure_of([&] { fs.read_file(list, bytes.size() - 1); }), 75);
    EXPECT_EQ(failure_of([&] { fs.read_file(dir / "missing.m3u", 100); }), 53);
    EXPECT_EQ(failure_of([&] { fs.read_file(dir.path(), 100); }), 75);
}

TEST_F(FileSystemTest, CreatesFoldersAndTheFoldersAboveThem) {
    fs.create_folder(dir / "a/b/c");
    fs.create_folder(dir / "a/b/c/");
    EXPECT_TRUE(stdfs::is_directory(std_path(dir / "a/b/c")));
    dir.write("file", "x");
    EXPECT_EQ(failure_of([&] { fs.create_folder(dir / "file"); }), 58);
    EXPECT_EQ(failure_of([&] { fs.create_folder(dir / "file/sub"); }), 76);
}

TEST_F(FileSystemTest, CreatesAnEmptyFileOnlyUnderANewName) {
    fs.create_empty_file(dir / "KDR00000.TMP");
    EXPECT_EQ(dir.read("KDR00000.TMP"), "");
    dir.write("song.mp3", "x");
    EXPECT_EQ(failure_of([&] { fs.create_empty_file(dir / "song.mp3"); }), 58);
    EXPECT_EQ(dir.read("song.mp3"), "x");
    EXPECT_EQ(failure_of([&] { fs.create_empty_file(dir / "no/KDR00001.TMP"); }), 76);
}

TEST_F(FileSystemTest, CopiesOverAnExistingFileByteForByte) {
    for (const std::size_t size : {std::size_t{0}, std::size_t{3} << 20 | 17}) {
        const std::string content = random_bytes(size);
        const std::string from = dir.write("from.mp3", content);
        const std::string to = dir.write("曲.mp3", std::string(size + 5000, 'o'));
        fs.copy_file(from, to);
        EXPECT_EQ(dir.read("曲.mp3"), content) << size;
        fs.copy_file(from, dir / "new.mp3");
        EXPECT_EQ(dir.read("new.mp3"), content) << size;
        stdfs::remove(std_path(dir / "new.mp3"));
    }
    // A read-only song's copy is an ordinary file on the card, which a later run may delete.
    const std::string kept = dir.write("kept.mp3", "song");
    test::make_read_only(kept);
    fs.copy_file(kept, dir / "copy.mp3");
    fs.delete_file(dir / "copy.mp3");
}

TEST_F(FileSystemTest, ACopyOverAFileOfSeveralNamesLeavesTheOtherNamesAsTheyWere) {
    const std::string from = dir.write("new.mp3", "new");
    const std::string other = dir.write("elsewhere.mp3", "precious");
    stdfs::create_hard_link(std_path(other), std_path(dir / "on card.mp3"));
    fs.copy_file(from, dir / "on card.mp3");
    EXPECT_EQ(dir.read("on card.mp3"), "new");
    EXPECT_EQ(dir.read("elsewhere.mp3"), "precious");
}

TEST_F(FileSystemTest, ACopyToldToStopLeavesNoFile) {
    const std::string from = dir.write("a.mp3", random_bytes(100000));
    std::stop_source stop;
    stop.request_stop();
    EXPECT_THROW(fs.copy_file_or_stop(from, dir / "b.mp3", stop.get_token()), CopyStopped);
    EXPECT_FALSE(stdfs::exists(std_path(dir / "b.mp3")));
}

TEST_F(FileSystemTest, NeverCopiesAFileOntoItself) {
    const std::string content = random_bytes(10000);
    const std::string from = dir.write("a.mp3", content);
    stdfs::create_directory(std_path(dir / "sub"));
    stdfs::create_hard_link(std_path(from), std_path(dir / "hard.mp3"));
    for (const std::string& to : {from, dir / "sub/../a.mp3", dir / "./a.mp3", dir / "hard.mp3"}) {
        EXPECT_EQ(failure_of([&] { fs.copy_file(from, to); }), 75) << to;
        EXPECT_EQ(dir.read("a.mp3"), content) << to;
    }
    EXPECT_TRUE(stdfs::exists(std_path(dir / "hard.mp3")));
}

TEST_F(FileSystemTest, ACopyFailsWithoutTouchingWhatItCannotReplace) {
    const std::string from = dir.write("a.mp3", "new");
    const std::string kept = dir.write("kept.mp3", "old");
    test::make_read_only(kept);
    stdfs::create_directory(std_path(dir / "folder.mp3"));

    EXPECT_EQ(failure_of([&] { fs.copy_file(dir / "missing.mp3", dir / "b.mp3"); }), 53);
    EXPECT_EQ(failure_of([&] { fs.copy_file(from, dir / "no/b.mp3"); }), 76);
    EXPECT_EQ(failure_of([&] { fs.copy_file(from, kept); }), 70); // write-protected, even for root
    EXPECT_EQ(failure_of([&] { fs.copy_file(from, dir / "folder.mp3"); }), 75);
    EXPECT_EQ(failure_of([&] { fs.copy_file(dir / "folder.mp3", dir / "b.mp3"); }), 75);

    EXPECT_EQ(dir.read("kept.mp3"), "old");
    EXPECT_FALSE(stdfs::exists(std_path(dir / "b.mp3")));
    EXPECT_TRUE(stdfs::is_empty(std_path(dir / "folder.mp3")));
}

// The arrangement of a card's entries: a rename in place, one folder made or removed.
struct ArrangeCase {
    const char* what;
    std::function<void(SystemFileSystem&, const ScratchFolder&)> act;
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
    SystemFileSystem fs;
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
                                  [](SystemFileSystem& fs, const ScratchFolder& d) {
                                      fs.move_entry(d / "a.mp3", d / "曲.mp3");
                                      EXPECT_EQ(d.read("曲.mp3"), "a");
                                      EXPECT_FALSE(stdfs::exists(std_path(d / "a.mp3")));
                                  },
                                  0},
                      ArrangeCase{"onto an existing file",
                                  [](SystemFileSystem& fs, const ScratchFolder& d) {
                                      fs.move_entry(d / "a.mp3", d / "b.mp3");
                                  },
                                  58},
                      ArrangeCase{"from nothing",
                                  [](SystemFileSystem& fs, const ScratchFolder& d) {
                                      fs.move_entry(d / "gone.mp3", d / "c.mp3");
                                  },
                                  53},
                      ArrangeCase{"a folder made",
                                  [](SystemFileSystem& fs, const ScratchFolder& d) {
                                      fs.make_folder(d / "アルバム");
                                      EXPECT_TRUE(stdfs::is_directory(std_path(d / "アルバム")));
                                  },
                                  0},
                      ArrangeCase{"a folder over a file",
                                  [](SystemFileSystem& fs, const ScratchFolder& d) {
                                      fs.make_folder(d / "a.mp3");
                                  },
                                  58},
                      ArrangeCase{"an empty folder removed",
                                  [](SystemFileSystem& fs, const ScratchFolder& d) {
                                      fs.remove_empty_folder(d / "empty");
                                      EXPECT_FALSE(stdfs::exists(std_path(d / "empty")));
                                  },
                                  0},
                      ArrangeCase{"a folder that holds a file",
                                  [](SystemFileSystem& fs, const ScratchFolder& d) {
                                      fs.remove_empty_folder(d / "full");
                                  },
                                  75}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

} // namespace
} // namespace kadoru
