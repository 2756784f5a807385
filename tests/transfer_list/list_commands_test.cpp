#include "fakes/fake_file_system.h"
#include "platform/file_list.h"
#include "platform/label.h"
#include "platform/paths.h"
#include "transfer_list/list_commands.h"
#include "transfer_list/transfer_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace kadoru {
namespace {

using kadoru::test::FakeFileSystem;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::vector<std::string> names_of(const TransferList& list) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(list.count()));
    for (int i = 0; i < list.count(); ++i)
        names.push_back(list.row(i).name);
    return names;
}

std::vector<int> selected_rows(const TransferList& list) {
    std::vector<int> rows;
    for (int i = 0; i < list.count(); ++i)
        if (list.selected(i))
            rows.push_back(i);
    return rows;
}

// A source folder whose File1 rows a.mp3 ... e.mp3 measure 1000, 2000, ... bytes.
class AddCommands : public ::testing::Test {
protected:
    void show(const std::string& folder, int files) {
        for (int i = 0; i < files; ++i) {
            std::string name(1, static_cast<char>('a' + i % 26));
            name += std::to_string(i / 26);
            name += ".mp3";
            fs.add_file(join_path(folder, name), 1000 * static_cast<std::uint64_t>(i + 1));
        }
        file1.show(folder, "*.MP3");
        file_size.clear();
        for (int i = 0; i < file1.count(); ++i)
            file_size.push_back(1000 * static_cast<std::uint64_t>(i + 1));
    }

    FakeFileSystem fs;
    FileList file1{fs};
    std::vector<std::uint64_t> file_size;
    TransferList list2;
    double total_size = -1;
    Label label7;
    ListEditing editing{list2, file1, file_size, total_size, label7};
};

TEST_F(AddCommands, AddTakesTheSelectedRowsInRowOrder) {
    show("/music", 5);
    file1.set_selected(4, true); // picked first
    file1.set_selected(1, true);
    add_selected(editing);
    ASSERT_EQ(list2.count(), 2);
    EXPECT_EQ(list2.row(0), (TransferEntry{"b0.mp3", "/music/b0.mp3", "2000"}));
    EXPECT_EQ(list2.row(1), (TransferEntry{"e0.mp3", "/music/e0.mp3", "5000"}));
    EXPECT_THAT(selected_rows(list2), ElementsAre()); // new rows come unselected
    EXPECT_TRUE(file1.selected(1) && file1.selected(4));
    EXPECT_EQ(total_size, 7000);
    EXPECT_EQ(label7.text(), "7KB");

    add_selected(editing); // the same files again: two more entries, nothing checks
    EXPECT_THAT(names_of(list2), ElementsAre("b0.mp3", "e0.mp3", "b0.mp3", "e0.mp3"));
    EXPECT_EQ(label7.text(), "14KB");
}

TEST_F(AddCommands, AnAddThatAppendsNothingStillShowsTheTotal) {
    show("/music", 3);
    add_selected(editing);
    EXPECT_EQ(list2.count(), 0);
    EXPECT_EQ(total_size, 0);
    EXPECT_EQ(label7.text(), "0KB");

    fs.add_folder("/empty");
    show("/empty", 0);
    label7.set_text("stale");
    add_all(editing);
    EXPECT_EQ(list2.count(), 0);
    EXPECT_EQ(label7.text(), "0KB");
}

struct PathCase {
    const char* folder;
    bool all;
    const char* first_path;
};

void PrintTo(const PathCase& c, std::ostream* os) {
    *os << c.folder << (c.all ? " all" : " selected");
}

class SourcePaths : public AddCommands, public ::testing::WithParamInterface<PathCase> {};

TEST_P(SourcePaths, JoinFolderAndNameWithOneSeparator) {
    show(GetParam().folder, 2);
    file1.set_selected(0, true);
    if (GetParam().all)
        add_all(editing);
    else
        add_selected(editing);
    ASSERT_GE(list2.count(), 1);
    EXPECT_EQ(list2.row(0).source_path, GetParam().first_path);
    EXPECT_EQ(list2.count(), GetParam().all ? 2 : 1);
}

INSTANTIATE_TEST_SUITE_P(Table, SourcePaths,
                         ::testing::Values(PathCase{"/", false, "/a0.mp3"},
                                           PathCase{"/", true, "/a0.mp3"},
                                           PathCase{"/media/card", false, "/media/card/a0.mp3"},
                                           PathCase{"/media/card", true, "/media/card/a0.mp3"}));

TEST_F(AddCommands, EveryRowHasItsSizeBeyondTheFirstHundred) {
    show("/many", 150);
    add_all(editing);
    ASSERT_EQ(list2.count(), 150);
    for (int i = 0; i < 150; ++i)
        EXPECT_EQ(list2.row(i).size_text, std::to_string(1000 * (i + 1))) << i;
    EXPECT_EQ(total_size, 1000.0 * 150 * 151 / 2);
}

TEST_F(AddCommands, ARowNotYetMeasuredCountsAsZero) {
    show("/music", 3);
    file_size.resize(1); // measuring let the click run after the first row
    add_all(editing);
    EXPECT_EQ(list2.row(0).size_text, "1000");
    EXPECT_EQ(list2.row(1).size_text, "0");
    EXPECT_EQ(list2.row(2).size_text, "0");
    EXPECT_EQ(label7.text(), "1KB");
}

TEST_F(AddCommands, AFullListKeepsWhatItHas) {
    show("/music", 3);
    for (int i = 0; i < TransferList::max_rows - 1; ++i)
        list2.append({"x.mp3", "/x.mp3", "1"});
    add_all(editing);
    EXPECT_EQ(list2.count(), TransferList::max_rows);
    EXPECT_EQ(list2.row(TransferList::max_rows - 1).name, "a0.mp3");
    EXPECT_EQ(total_size, TransferList::max_rows - 1 + 1000);
}

// A list A, B, C, ... whose rows carry their letter in all three fields.
TransferList letters(int n, const std::vector<int>& selected, int current) {
    TransferList list;
    for (int i = 0; i < n; ++i) {
        const std::string letter(1, static_cast<char>('A' + i));
        list.append({letter, "/m/" + letter, std::to_string(i + 1)});
    }
    for (const int row : selected)
        list.set_selected(row, true);
    list.set_list_index(current);
    return list;
}

void expect_rows_in_step(const TransferList& list) {
    for (int i = 0; i < list.count(); ++i) {
        const auto& row = list.row(i);
        EXPECT_EQ(row.source_path, "/m/" + row.name);
        EXPECT_EQ(row.size_text, std::to_string(row.name[0] - 'A' + 1));
    }
}

TEST(RemoveAndClear, RemoveTakesTheSelectedRowsAndRecountsOnlyWhenSomethingWent) {
    TransferList list = letters(5, {1, 3}, 3);
    double total_size = -1;
    Label label7;
    remove_selected(list, total_size, label7);
    EXPECT_THAT(names_of(list), ElementsAre("A", "C", "E"));
    EXPECT_THAT(selected_rows(list), ElementsAre());
    expect_rows_in_step(list);
    EXPECT_EQ(total_size, 1 + 3 + 5);
    EXPECT_EQ(label7.text(), "0KB");

    label7.set_text("as it was");
    remove_selected(list, total_size, label7);
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(label7.text(), "as it was");
    EXPECT_EQ(total_size, 9);
}

TEST(RemoveAndClear, ClearShowsZeroAndEmptiesTheTotal) {
    for (const int rows : {0, 4}) {
        TransferList list = letters(rows, {}, -1);
        double total_size = 1234;
        Label label7;
        clear_list(list, total_size, label7);
        EXPECT_EQ(list.count(), 0);
        EXPECT_EQ(list.list_index(), -1);
        EXPECT_EQ(label7.text(), "0KB");
        EXPECT_EQ(total_size, 0);
    }
}

struct MoveCase {
    const char* title;
    bool up;
    int rows;
    std::vector<int> selected;
    int current;
    std::vector<std::string> order;
    std::vector<int> selected_after;
};

void PrintTo(const MoveCase& c, std::ostream* os) {
    *os << c.title;
}

class MoveCommands : public ::testing::TestWithParam<MoveCase> {};

TEST_P(MoveCommands, MoveSelectedRowsByOne) {
    const MoveCase& c = GetParam();
    TransferList list = letters(c.rows, c.selected, c.current);
    if (c.up)
        move_up(list);
    else
        move_down(list);
    EXPECT_THAT(names_of(list), ElementsAreArray(c.order));
    EXPECT_THAT(selected_rows(list), ElementsAreArray(c.selected_after));
    EXPECT_EQ(list.list_index(), c.current); // the commands never set the current row
    expect_rows_in_step(list);
}

const std::vector<std::string> abcde = {"A", "B", "C", "D", "E"};

INSTANTIATE_TEST_SUITE_P(
    Table, MoveCommands,
    ::testing::Values(
        MoveCase{"UpTwoApart", true, 5, {1, 3}, 3, {"B", "A", "D", "C", "E"}, {0, 2}},
        MoveCase{"UpBlock", true, 4, {1, 2}, 1, {"B", "C", "A", "D"}, {0, 1}},
        MoveCase{"UpWithFirstRowSelected", true, 5, {0, 3}, 3, abcde, {0, 3}},
        MoveCase{"UpCurrentIsFirstRow", true, 5, {2, 3}, 0, abcde, {2, 3}},
        MoveCase{"UpNoCurrentRow", true, 5, {2}, -1, abcde, {2}},
        MoveCase{"UpCurrentNotSelected", true, 5, {3}, 1, {"A", "B", "D", "C", "E"}, {2}},
        MoveCase{"DownTwoApart", false, 5, {1, 3}, 1, {"A", "C", "B", "E", "D"}, {2, 4}},
        MoveCase{"DownBlock", false, 4, {1, 2}, 2, {"A", "D", "B", "C"}, {2, 3}},
        MoveCase{"DownWithLastRowSelected", false, 5, {1, 4}, 1, abcde, {1, 4}},
        MoveCase{"DownCurrentIsLastRow", false, 5, {1, 2}, 4, abcde, {1, 2}},
        // Move down only refuses the last row: no current row at all passes.
        MoveCase{"DownNoCurrentRow", false, 5, {2}, -1, {"A", "B", "D", "C", "E"}, {3}},
        MoveCase{"UpEmptyList", true, 0, {}, -1, {}, {}},
        MoveCase{"DownEmptyList", false, 0, {}, -1, {}, {}},
        MoveCase{"NothingSelected", true, 3, {}, 2, {"A", "B", "C"}, {}}),
    [](const auto& info) { return std::string(info.param.title); });

} // namespace
} // namespace kadoru
