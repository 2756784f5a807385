#include "fakes/fake_drives.h"
#include "fakes/fake_slot_file_system.h"
#include "platform/failure.h"
#include "support/failure_of.h"
#include "transfer/card_arrangement.h"
#include "transfer/order_guard.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kadoru {
namespace {

using test::failure_of;
using test::SlotFileSystem;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAreArray;

constexpr auto no_limit = std::numeric_limits<std::size_t>::max();

// A card's root made by adding ("+name", "+name/" a folder) and deleting ("-name")
// entries; the songs arranged in this order; where a move fails (1: the first move).
struct Arrangement {
    const char* name;
    std::function<int(std::string_view)> slots;
    std::vector<std::string> making;
    std::vector<std::string> order;
    // The root read afterwards; empty: the songs in their new order, wherever the
    // holes let them be. The other entries keep their order in any case.
    std::vector<std::string> expected = {};
    std::optional<std::string> out_of_order = std::nullopt;
    std::size_t capacity = no_limit;
    int failing_move = 0;     // 0: none fails
    bool card_pulled = false; // every move from the failing one fails, until the next start
};

void PrintTo(const Arrangement& arrangement, std::ostream* os) {
    *os << arrangement.name;
}

const std::vector<Arrangement> arrangements = {
    {"ReversedAmongHolesAFolderAndAnotherType",
     test::slots::vfat,
     {"+A.MP3", "+a long name that leaves a hole.mp3", "+keep.wma", "+B.MP3", "+c song.mp3",
      "+sub/", "-a long name that leaves a hole.mp3"},
     {"c song.mp3", "B.MP3", "A.MP3"}},
    {"LongNamesNeedingMoreSlotsThanTheHolesTheyLeave",
     test::slots::fusefat,
     {"+1.mp3", "+X.WMA", "+02 a song title longer than most.mp3", "+3.mp3", "+Z.WMA"},
     {"02 a song title longer than most.mp3", "3.mp3", "1.mp3"}},
    {"ExfatEntrySets",
     test::slots::exfat,
     {"+-1-.mp3", "+an exfat name of more than thirty characters.mp3", "+other.wav", "+b.mp3"},
     {"b.mp3", "an exfat name of more than thirty characters.mp3", "-1-.mp3"}},
    {"ARootFolderWithNoSlotAfterItsEntriesTakesTheSongsIntoItsHolesInOrder",
     test::slots::vfat,
     {"+A.MP3", "+keep.wma", "+B.MP3", "+Z.WMA"},
     {"B.MP3", "A.MP3"},
     {"B.MP3", "keep.wma", "A.MP3", "Z.WMA"},
     std::nullopt,
     7},
    {"AFailureMovingOutPutsEverySongBack",
     test::slots::vfat,
     {"+A.MP3", "+keep.wma", "+B.MP3", "+C.MP3"},
     {"C.MP3", "B.MP3", "A.MP3"},
     {"A.MP3", "keep.wma", "B.MP3", "C.MP3"},
     std::nullopt,
     no_limit,
     2},
    {"AFailureMovingBackPutsEverySongBack",
     test::slots::vfat,
     {"+A.MP3", "+keep.wma", "+B.MP3", "+C.MP3"},
     {"C.MP3", "B.MP3", "A.MP3"},
     {"C.MP3", "keep.wma", "B.MP3", "A.MP3"},
     std::nullopt,
     no_limit,
     5},
    {"ACardPulledMovingOutLeavesTheRestForTheNextStart",
     test::slots::fusefat,
     {"+A.MP3", "+keep.wma", "+B.MP3", "+C.MP3"},
     {"C.MP3", "B.MP3", "A.MP3"},
     {"A.MP3", "keep.wma", "C.MP3", "B.MP3"}, // the recovery goes on in the order chosen
     std::nullopt,
     no_limit,
     3,
     true},
    {"ACardPulledMovingBackLeavesTheRestForTheNextStart",
     test::slots::exfat,
     {"+A.MP3", "+keep.wma", "+B.MP3", "+C.MP3"},
     {"C.MP3", "B.MP3", "A.MP3"},
     {"C.MP3", "keep.wma", "B.MP3", "A.MP3"},
     std::nullopt,
     no_limit,
     5,
     true},
};

class CardArrangement : public ::testing::TestWithParam<Arrangement> {
protected:
    CardArrangement() : fs(GetParam().slots, GetParam().capacity) {
        drives.add("e:", "/card").type = "vfat";
        fs.add_folder("/card");
        std::uint64_t size = 1000;
        for (const auto& step : GetParam().making) {
            const std::string name = step.substr(1);
            if (step.front() == '-') {
                fs.erase("/card/" + name);
                sizes.erase(name);
            } else if (name.back() == '/') {
                fs.make_folder("/card/" + name.substr(0, name.size() - 1));
            } else {
                fs.put("/card/" + name, ++size);
                sizes[name] = size;
            }
        }
        fs.log.clear();
    }

    // Every song on the card once, in the root or the working folder, at its size.
    void expect_every_song_once() const {
        std::map<std::string, std::uint64_t> found;
        for (const auto* folder : {"/card", "/card/KDRSORT"})
            if (fs.is_folder(folder))
                for (const auto& file : fs.files(folder))
                    found[file.name] = file.size;
        EXPECT_EQ(found, sizes);
    }

    SlotFileSystem fs;
    test::FakeDrives drives;
    std::map<std::string, std::uint64_t> sizes;
};

TEST_P(CardArrangement, SongsInTheNewOrderNoneLostOthersInTheirPlaces) {
    const Arrangement& a = GetParam();
    const auto others = [&](const std::vector<std::string>& names) {
        std::vector<std::string> kept;
        for (const auto& name : names)
            if (std::find(a.order.begin(), a.order.end(), name) == a.order.end())
                kept.push_back(name);
        return kept;
    };
    const auto songs = [&](const std::vector<std::string>& names) {
        std::vector<std::string> found;
        for (const auto& name : names)
            if (std::find(a.order.begin(), a.order.end(), name) != a.order.end())
                found.push_back(name);
        return found;
    };
    const std::vector<std::string> others_before = others(fs.entry_names("/card"));
    int moves = 0;
    fs.on_move = [&](const std::string&, const std::string&) {
        ++moves;
        if (a.failing_move != 0 &&
            (moves == a.failing_move || (a.card_pulled && moves > a.failing_move)))
            throw Failure(failure_code::device_io_error);
    };
    std::vector<int> progress;
    std::optional<std::string> out_of_order;
    const int failure = failure_of([&] {
        out_of_order = arrange_card(fs, drives, "e:", a.order,
                                    [&](int done, int total) { progress.push_back(total - done); });
    });
    expect_every_song_once();

    if (a.failing_move == 0) {
        EXPECT_EQ(failure, 0);
        EXPECT_EQ(out_of_order, a.out_of_order);
        EXPECT_EQ(progress.size(), 2 * a.order.size());
        EXPECT_EQ(progress.back(), 0);
    } else {
        EXPECT_EQ(failure, failure_code::device_io_error);
    }
    // The next start finds what a pulled card left and puts it back.
    fs.on_move = nullptr;
    const ArrangementRecovery recovery = recover_arrangement(fs, drives, "e:");
    EXPECT_THAT(recovery.kept, IsEmpty());
    EXPECT_EQ(recovery.returned > 0, a.card_pulled);
    EXPECT_EQ(recovery_message(recovery).has_value(), a.card_pulled);
    EXPECT_FALSE(fs.is_folder("/card/KDRSORT"));
    expect_every_song_once();
    const auto after = fs.entry_names("/card");
    EXPECT_THAT(others(after), ElementsAreArray(others_before));
    if (a.expected.empty())
        EXPECT_THAT(songs(after), ElementsAreArray(a.order));
    else
        EXPECT_THAT(after, ElementsAreArray(a.expected));
}

INSTANTIATE_TEST_SUITE_P(, CardArrangement, ::testing::ValuesIn(arrangements),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ArrangementRecovery, ASongWhoseNameTheRootHoldsStaysInTheFolderAndIsNamed) {
    SlotFileSystem fs;
    test::FakeDrives drives;
    drives.add("e:", "/card").type = "exfat";
    fs.add_folder("/card");
    fs.make_folder("/card/KDRSORT");
    fs.put("/card/KDRSORT/b.mp3", 7);
    fs.put("/card/KDRSORT/a.mp3", 5);
    fs.put("/card/A.MP3", 9); // someone's own, since
    const ArrangementRecovery recovery = recover_arrangement(fs, drives, "e:");
    EXPECT_EQ(recovery, (ArrangementRecovery{1, {"a.mp3"}}));
    EXPECT_THAT(fs.entry_names("/card"), ElementsAreArray({"KDRSORT", "A.MP3", "b.mp3"}));
    EXPECT_THAT(fs.entry_names("/card/KDRSORT"), ElementsAreArray({"a.mp3"}));
    EXPECT_THAT(*recovery_message(recovery), ::testing::EndsWith("：\na.mp3"));

    // Only where arrangements run: a folder of that name on another disk is its owner's.
    drives.drives["e:"].type = "ext4";
    EXPECT_EQ(recover_arrangement(fs, drives, "e:"), ArrangementRecovery{});
}

TEST(ArrangeCard, RefusedBeforeAnythingMovesForANameTwiceOrNoSongOfTheRoot) {
    SlotFileSystem fs;
    test::FakeDrives drives;
    drives.add("e:", "/card").type = "vfat";
    fs.add_folder("/card");
    fs.put("/card/a.mp3");
    fs.make_folder("/card/sub");
    fs.log.clear();
    const auto none = [](int, int) {};
    EXPECT_EQ(failure_of([&] {
                  arrange_card(fs, drives, "e:", {"a.mp3", "A.MP3"}, none);
              }),
              failure_code::path_file_access_error);
    EXPECT_EQ(failure_of([&] { arrange_card(fs, drives, "e:", {"sub"}, none); }),
              failure_code::file_not_found);
    fs.lists_newest_first = true; // no stored order to read back
    EXPECT_EQ(failure_of([&] { arrange_card(fs, drives, "e:", {"a.mp3"}, none); }),
              failure_code::path_file_access_error);
    EXPECT_THAT(fs.log, IsEmpty());
}

} // namespace
} // namespace kadoru
