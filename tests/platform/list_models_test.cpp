#include "browse/list_input.h"
#include "browse/type_selector.h"
#include "fakes/fake_drives.h"
#include "fakes/fake_file_system.h"
#include "platform/drive_selector.h"
#include "platform/failure.h"
#include "platform/file_list.h"
#include "platform/folder_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kadoru {
namespace {

using kadoru::test::FakeDrives;
using kadoru::test::FakeFileSystem;
using ::testing::ElementsAre;

struct MatchCase {
    const char* name;
    const char* pattern;
    bool matches;
};

class PatternMatch : public ::testing::TestWithParam<MatchCase> {};

TEST_P(PatternMatch, IgnoresLetterCase) {
    EXPECT_EQ(matches_pattern(GetParam().name, GetParam().pattern), GetParam().matches)
        << GetParam().name << " ~ " << GetParam().pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Table, PatternMatch,
    ::testing::Values(MatchCase{"a.mp3", "*.MP3", true}, MatchCase{"B.MP3", "*.MP3", true},
                      MatchCase{"a.mp3.txt", "*.MP3", false}, MatchCase{"xmp3", "*.MP3", false},
                      MatchCase{".mp3", "*.MP3", true}, MatchCase{"a.b.mp3", "*.mp3", true},
                      MatchCase{"song.wma", "*.MP3", false}, MatchCase{"x", "*.*", false},
                      MatchCase{"x.y", "*.*", true}, MatchCase{"a1.mp3", "a?.mp3", true},
                      MatchCase{"曲.MP3", "*.mp3", true}, MatchCase{"a.mp3", "*.", false}));

class ListModels : public ::testing::Test {
protected:
    ListModels() {
        drives.add("c:", "/", 10, 20);
        drives.add("e:", "/media/card", 5, 8);
        fs.add_folder("/home/u/Music");
        fs.add_folder("/media/card/sub");
    }
    FakeDrives drives;
    FakeFileSystem fs;
};

TEST_F(ListModels, DriveSelectorRunsItsChangeOnlyWhenTheSelectionChanges) {
    DriveSelector selector(drives, "c:");
    int changes = 0;
    selector.on_change = [&] { ++changes; };
    selector.assign("c:");
    EXPECT_EQ(changes, 0);
    selector.assign("E:\\Music");
    EXPECT_EQ(selector.drive(), "e:");
    selector.assign("/home/u/Music"); // a native path names the drive that holds it
    EXPECT_EQ(selector.drive(), "c:");
    EXPECT_EQ(changes, 2);
    for (const char* text : {"x:", "", "Music"}) {
        try {
            selector.assign(text);
            ADD_FAILURE() << text;
        } catch (const Failure& f) {
            EXPECT_EQ(f.code(), 68) << text;
        }
    }
    EXPECT_EQ(selector.drive(), "c:");
}

TEST_F(ListModels, FolderListGoesToADrivesCurrentFolder) {
    drives.drives["c:"].current = "/home/u/Music"; // the working folder
    FolderList dir(drives, fs, "/home/u/Music");
    std::vector<std::string> seen;
    dir.on_change = [&] { seen.push_back(dir.path()); };
    dir.assign("e:"); // never shown: its root folder
    dir.assign("/media/card/sub/");
    dir.assign("c:"); // back where c: was left
    dir.assign("e:");
    EXPECT_THAT(seen,
                ElementsAre("/media/card", "/media/card/sub", "/home/u/Music", "/media/card/sub"));
    drives.drives["e:"].ready = false;
    try {
        dir.assign("e:");
        ADD_FAILURE();
    } catch (const Failure& f) {
        EXPECT_EQ(f.code(), 68);
    }
    try {
        dir.assign("/home/u/Gone");
        ADD_FAILURE();
    } catch (const Failure& f) {
        EXPECT_EQ(f.code(), 76);
    }
    EXPECT_EQ(dir.path(), "/media/card/sub");
}

TEST_F(ListModels, FolderListShowsTheChainDownFromTheRoot) {
    FolderList dir(drives, fs, "/media/card/sub");
    EXPECT_THAT(dir.ancestors(), ElementsAre("/media/card", "/media/card/sub"));
    dir.assign("/home/u/Music");
    EXPECT_THAT(dir.ancestors(), ElementsAre("/", "/home", "/home/u", "/home/u/Music"));
    dir.assign("/home");
    EXPECT_THAT(dir.subfolders(), ElementsAre("u"));
}

TEST_F(ListModels, FileListShowsMatchingFilesSortedAndClearsTheSelection) {
    for (const char* name : {"b.MP3", "a.mp3", "c.wma", "A.mp3", "xmp3"})
        fs.add_file(std::string("/home/u/Music/") + name, 1);
    FileList list(fs);
    list.show("/home/u/Music", "*.MP3");
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.row(0), "A.mp3");
    EXPECT_EQ(list.row(1), "a.mp3");
    EXPECT_EQ(list.row(2), "b.MP3");
    list.set_selected(1, true);
    list.show("/home/u/Music", "*.wma");
    ASSERT_EQ(list.count(), 1);
    EXPECT_FALSE(list.selected(0));
    list.show("/nowhere", "*.wma");
    EXPECT_EQ(list.count(), 0);
}

// One input as a window reports it: p press, r release, d/D double-click on a row
// or off the rows, a digit string the rows selected now ("" for none).
struct ClickCase {
    const char* what;
    std::vector<std::string> inputs;
    std::vector<std::string> handlers;
};

TEST_F(ListModels, FileListInputRunsTheClickOncePerPressAndEveryKeyboardSelection) {
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
        fs.add_file(std::string("/m/") + name, 1);
    const std::vector<ClickCase> cases = {
        {"a click", {"p", "1", "r"}, {"click 010"}},
        {"a drag over rows", {"p", "0", "01", "012", "r"}, {"click 111"}},
        {"a click that changes nothing", {"p", "r"}, {"click 000"}},
        {"the keyboard", {"1", "12", ""}, {"click 010", "click 011", "click 000"}},
        {"a double-click",
         {"p", "2", "r", "p", "d", "r"},
         {"click 001", "click 001", "double-click"}},
        {"a double-click off the rows", {"p", "r", "p", "D", "r"}, {"click 000", "click 000"}},
        {"a release whose press was elsewhere", {"r", "1"}, {"click 010"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FileList files(fs);
        files.show("/m", "*.mp3");
        std::vector<std::string> handlers;
        files.on_click = [&] {
            std::string flags;
            for (int i = 0; i < files.count(); ++i)
                flags += files.selected(i) ? '1' : '0';
            handlers.push_back("click " + flags);
        };
        files.on_double_click = [&] { handlers.emplace_back("double-click"); };
        ListInput input({.file1 = &files});
        for (const std::string& in : c.inputs) {
            if (in == "p" || in == "r")
                in == "p" ? input.file_pressed() : input.file_released();
            else if (in == "d" || in == "D")
                input.file_double_clicked(in == "d");
            else {
                std::vector<int> rows;
                for (const char digit : in)
                    rows.push_back(digit - '0');
                input.file_rows_selected(rows);
            }
        }
        EXPECT_EQ(handlers, c.handlers);
    }
}

TEST_F(ListModels, TypingATypeRunsNothingAndPickingOneRunsItsClick) {
    TypeSelector types;
    for (const char* item : {"MP3", "WMA", "WAV"})
        types.add_item(item);
    std::vector<std::string> clicks;
    types.on_click = [&] { clicks.push_back(types.text()); };
    ListInput input({.combo_ftype = &types});
    input.type_typed("WMA");
    input.type_picked(2);
    input.type_typed("wav");
    EXPECT_EQ(types.text(), "wav");
    EXPECT_THAT(clicks, ElementsAre("WAV"));
}

} // namespace
} // namespace kadoru
