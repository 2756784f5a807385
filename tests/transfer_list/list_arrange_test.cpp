#include "fakes/fake_song_details.h"
#include "support/sized_list.h"
#include "transfer_list/list_arrange.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace kadoru {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class Arranging : public ::testing::Test, public test::SizedList {
protected:
    // Rows named as given; row i measures (i + 1) * 1000 bytes.
    void fill(const std::vector<std::string>& names) {
        for (const auto& name : names)
            list2.append({name, "/m/" + name, std::to_string((list2.count() + 1) * 1000)});
    }
    void select(const std::vector<int>& rows) {
        for (const int row : rows)
            list2.set_selected(row, true);
    }
    std::vector<std::string> names() const { return column(&TransferEntry::name); }
    std::vector<std::string> selected_names() const {
        std::vector<std::string> result;
        for (int i = 0; i < list2.count(); ++i)
            if (list2.selected(i))
                result.push_back(list2.row(i).name);
        return result;
    }
    // Every entry still carries its own path and size.
    void expect_entries_whole() const {
        for (int i = 0; i < list2.count(); ++i)
            EXPECT_EQ(list2.row(i).source_path, "/m/" + list2.row(i).name);
    }

    ListArranging arranging{list2, total_size, label7};
};

struct MoveCase {
    const char* title;
    std::vector<int> selected;
    int to;
    std::vector<std::string> rows;
};

std::ostream& operator<<(std::ostream& out, const MoveCase& c) {
    return out << c.title;
}

class DragMove : public Arranging, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(DragMove, MovesTheSelectedRowsAsABlockInTheirOrder) {
    const auto& c = GetParam();
    fill({"A", "B", "C", "D", "E", "F"});
    select(c.selected);
    list2.set_list_index(c.selected.back());
    const std::string current = list2.row(c.selected.back()).name;
    std::vector<std::string> moved;
    for (const int row : c.selected)
        moved.push_back(list2.row(row).name);

    move_selected_to(arranging, c.to);

    EXPECT_EQ(names(), c.rows);
    EXPECT_EQ(selected_names(), moved); // they stay selected
    EXPECT_EQ(list2.row(list2.list_index()).name, current);
    expect_entries_whole();
    EXPECT_EQ(total_size, 21000); // list_size ran
    EXPECT_EQ(label7.text(), "21KB");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DragMove,
    ::testing::Values(
        MoveCase{"to the top", {2, 4}, 0, {"C", "E", "A", "B", "D", "F"}},
        MoveCase{"to the middle, from both sides", {0, 5}, 3, {"B", "C", "A", "F", "D", "E"}},
        MoveCase{"to the end", {0, 1, 3}, 6, {"C", "E", "F", "A", "B", "D"}},
        MoveCase{"onto its own place", {1, 2}, 2, {"A", "B", "C", "D", "E", "F"}},
        MoveCase{"from inside the block", {1, 3}, 3, {"A", "C", "B", "D", "E", "F"}},
        MoveCase{"past the end counts as the end", {0}, 99, {"B", "C", "D", "E", "F", "A"}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(Arranging, SortByNameIsNaturalAndKeepsEqualNamesInOrder) {
    fill({"10 a.mp3", "2 b.mp3", "B.mp3", "a.mp3", "1 c.mp3", "a.mp3"});
    list2.set_selected(1, true);
    list2.set_list_index(1);
    // The second "a.mp3" is told apart by its size.
    sort_by_name(arranging);
    EXPECT_THAT(names(), ElementsAre("1 c.mp3", "2 b.mp3", "10 a.mp3", "a.mp3", "a.mp3", "B.mp3"));
    EXPECT_EQ(list2.row(3).size_text, "4000");
    EXPECT_EQ(list2.row(4).size_text, "6000");
    EXPECT_THAT(selected_names(), ElementsAre("2 b.mp3"));
    EXPECT_EQ(list2.list_index(), 1);
    EXPECT_EQ(label7.text(), "21KB");
}

TEST_F(Arranging, SortByTrackPutsTaggedSongsByDiscAndTrackThenTheRestInTheirOrder) {
    fill({"x.mp3", "d2t1.mp3", "t3.mp3", "untagged.wav", "d1t2.mp3", "notrack.mp3", "t1.mp3"});
    test::FakeSongDetails details;
    details.songs["/m/d2t1.mp3"] = {"", "", "", 2, 1, {}};
    details.songs["/m/t3.mp3"] = {"", "", "", 0, 3, {}}; // no disc: with disc 1
    details.songs["/m/d1t2.mp3"] = {"", "", "", 1, 2, {}};
    details.songs["/m/notrack.mp3"] = {"Title", "", "", 1, 0, {}}; // tags, but no track
    details.songs["/m/t1.mp3"] = {"", "", "", 0, 1, {}};
    select({0, 6});
    sort_by_track(arranging, details);
    EXPECT_THAT(names(), ElementsAre("t1.mp3", "d1t2.mp3", "t3.mp3", "d2t1.mp3", "x.mp3",
                                     "untagged.wav", "notrack.mp3"));
    EXPECT_THAT(selected_names(), ElementsAre("t1.mp3", "x.mp3"));
    EXPECT_EQ(details.reads.size(), 7U);
    expect_entries_whole();
    EXPECT_EQ(label7.text(), "28KB");
}

TEST_F(Arranging, WithoutTagsOrASelectionSortByTrackAndAMoveKeepTheOrder) {
    fill({"c.mp3", "a.mp3", "b.mp3"});
    test::FakeSongDetails details;
    sort_by_track(arranging, details);
    EXPECT_THAT(names(), ElementsAre("c.mp3", "a.mp3", "b.mp3"));
    EXPECT_EQ(label7.text(), "6KB");
    move_selected_to(arranging, 0);
    EXPECT_THAT(names(), ElementsAre("c.mp3", "a.mp3", "b.mp3"));
}

TEST_F(Arranging, ShuffleGivesAnOrderOfTheSameEntriesWithTheirSelection) {
    std::vector<std::string> all;
    for (int i = 0; i < 40; ++i)
        all.push_back("song" + std::to_string(i));
    fill(all);
    select({3, 7});
    std::mt19937 random(12345);
    shuffle_list(arranging, random);
    const auto shuffled = names();
    EXPECT_NE(shuffled, all); // one order in 40! is the one it had
    EXPECT_THAT(shuffled, ::testing::UnorderedElementsAreArray(all));
    EXPECT_THAT(selected_names(), ::testing::UnorderedElementsAre("song3", "song7"));
    expect_entries_whole();
    EXPECT_EQ(total_size, 820000);
}

TEST(TransferListOrder, ARowOrderThatIsNotOneOfEveryRowChangesNothing) {
    TransferList list;
    for (const char* name : {"A", "B", "C"})
        list.append({name, name, "1"});
    list.set_list_index(2);
    for (const std::vector<int>& wrong : {std::vector<int>{0, 1}, std::vector<int>{0, 1, 1},
                                          std::vector<int>{0, 1, 3}, std::vector<int>{-1, 0, 1}}) {
        EXPECT_THROW(list.reorder(wrong), std::invalid_argument);
        EXPECT_EQ(list.row(0).name, "A");
        EXPECT_EQ(list.row(2).name, "C");
        EXPECT_EQ(list.list_index(), 2);
    }
    int notified = 0;
    list.changed.connect([&] { ++notified; });
    list.reorder({2, 0, 1});
    EXPECT_EQ(notified, 1); // one step, one redraw
    EXPECT_EQ(list.list_index(), 0);
}

} // namespace
} // namespace kadoru
