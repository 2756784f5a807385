#include "transfer_list/transfer_list.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace kadoru {
namespace {

// The three lists kept side by side, the way the window held them; the model must
// behave exactly like this.
struct ParallelLists {
    std::vector<std::string> names, paths, sizes;
    std::vector<bool> selected;

    void append(const TransferEntry& e) {
        names.push_back(e.name);
        paths.push_back(e.source_path);
        sizes.push_back(e.size_text);
        selected.push_back(false);
    }
    void remove_at(std::size_t i) {
        names.erase(names.begin() + static_cast<long>(i));
        paths.erase(paths.begin() + static_cast<long>(i));
        sizes.erase(sizes.begin() + static_cast<long>(i));
        selected.erase(selected.begin() + static_cast<long>(i));
    }
    void exchange(std::size_t i, std::size_t j) {
        std::swap(names[i], names[j]);
        std::swap(paths[i], paths[j]);
        std::swap(sizes[i], sizes[j]);
        selected[j] = true;
        selected[i] = false;
    }
};

void expect_same(const TransferList& list, const ParallelLists& ref) {
    ASSERT_EQ(static_cast<std::size_t>(list.count()), ref.names.size());
    for (int i = 0; i < list.count(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        EXPECT_EQ(list.row(i), (TransferEntry{ref.names[k], ref.paths[k], ref.sizes[k]}));
        EXPECT_EQ(list.selected(i), ref.selected[k]);
    }
}

TEST(TransferList, RandomOperationsKeepTheThreeListsInStep) {
    for (unsigned seed = 1; seed <= 50; ++seed) {
        std::mt19937 rng(seed);
        TransferList list;
        ParallelLists ref;
        for (int step = 0; step < 200; ++step) {
            const int n = list.count();
            switch (rng() % 6) {
            case 0:
            case 1: {
                const auto id = std::to_string(rng() % 20);
                const TransferEntry e{id + ".mp3", "/music/" + id + ".mp3", id + "000"};
                list.append(e);
                ref.append(e);
                break;
            }
            case 2:
                if (n > 0) {
                    const int i = static_cast<int>(rng() % static_cast<unsigned>(n));
                    list.remove_at(i);
                    ref.remove_at(static_cast<std::size_t>(i));
                }
                break;
            case 3:
                if (n > 1) {
                    const int i = static_cast<int>(rng() % static_cast<unsigned>(n - 1));
                    const bool up = (rng() % 2) != 0;
                    const int from = up ? i + 1 : i;
                    const int to = up ? i : i + 1;
                    list.exchange(from, to);
                    ref.exchange(static_cast<std::size_t>(from), static_cast<std::size_t>(to));
                }
                break;
            case 4:
                if (n > 0) {
                    const int i = static_cast<int>(rng() % static_cast<unsigned>(n));
                    const bool flag = (rng() % 2) != 0;
                    list.set_selected(i, flag);
                    ref.selected[static_cast<std::size_t>(i)] = flag;
                }
                break;
            case 5:
                if (rng() % 10 == 0) {
                    list.clear();
                    ref = {};
                }
                break;
            }
            ASSERT_NO_FATAL_FAILURE(expect_same(list, ref)) << "seed " << seed << " step " << step;
            ASSERT_GE(list.list_index(), -1);
            ASSERT_LT(list.list_index(), list.count());
        }
    }
}

TEST(TransferList, AppendedRowsGoToTheEndUnselectedAndDuplicatesAreKept) {
    TransferList list;
    list.append({"a.mp3", "/m/a.mp3", "1"});
    list.set_selected(0, true);
    list.append({"a.mp3", "/m/a.mp3", "1"});
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.row(0), list.row(1));
    EXPECT_TRUE(list.selected(0));
    EXPECT_FALSE(list.selected(1));
}

TEST(TransferList, CurrentRowFollowsRemovalsAndIsNoneWhenEmpty) {
    TransferList list;
    EXPECT_EQ(list.list_index(), -1);
    for (const char* name : {"a", "b", "c", "d"})
        list.append({name, name, "0"});
    list.set_list_index(2); // c
    list.remove_at(0);      // before the current row
    EXPECT_EQ(list.row(list.list_index()).name, "c");
    list.remove_at(1); // the current row itself: the row that took its place
    EXPECT_EQ(list.row(list.list_index()).name, "d");
    list.remove_at(1); // the last row: the focus moves up
    EXPECT_EQ(list.list_index(), 0);
    list.clear();
    EXPECT_EQ(list.list_index(), -1);
}

TEST(TransferList, NotifiesViewsOfEveryChange) {
    TransferList list;
    int changes = 0;
    list.changed.connect([&] { ++changes; });
    list.append({"a", "a", "0"});
    list.append({"b", "b", "0"});
    list.exchange(1, 0);
    list.set_selected(0, false);
    list.remove_at(0);
    list.clear();
    EXPECT_EQ(changes, 6);
}

} // namespace
} // namespace kadoru
