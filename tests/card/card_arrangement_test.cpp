#include "card/card_arrangement.h"
#include "card/order_guard.h"
#include "fakes/fake_drives.h"
#include "fakes/fake_slot_file_system.h"
#include "platform/failure.h"
#include "support/failure_of.h"

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
using ::testing::Contains;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
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
    bool tells_room = true;   // a root of limited slots says how many are free
    int slots_short = 0;      // refused with nothing moved
    bool put_back = false;    // no room part-way: the songs went back in their old order
    std::size_t staying = 0;  // songs at the front already in place, never moved
};

const std::string long_song = "a long title of forty characters here.mp3";

void PrintTo(const Arrangement& arrangement, std::ostream* os) {
    *os << arrangement.name;
}

// A nearly full root, as made and as it must stay: the long song's old place, split
// by the short one, is the only room for it.
const std::vector<std::string> nearly_full = {"+" + long_song, "+F1.WMA", "+F2.WMA", "+F3.WMA",
                                              "+s.mp3"};
const std::vector<std::string> nearly_full_kept = {long_song, "F1.WMA", "F2.WMA", "F3.WMA",
                                                   "s.mp3"};
// Three songs and another type's file, arranged in reverse.
const std::vector<std::string> three_songs = {"+A.MP3", "+keep.wma", "+B.MP3", "+C.MP3"};
const std::vector<std::string> reversed = {"C.MP3", "B.MP3", "A.MP3"};

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
    {.name = "ARootFolderWithNoSlotAfterItsEntriesTakesTheSongsIntoItsHolesInOrder",
     .slots = test::slots::vfat,
     .making = {"+A.MP3", "+keep.wma", "+B.MP3", "+Z.WMA"},
     .order = {"B.MP3", "A.MP3"},
     .expected = {"B.MP3", "keep.wma", "A.MP3", "Z.WMA"},
     .capacity = 7,
     .tells_room = false},
    {.name = "ARootOfSetSizeThatCannotTakeTheSongsBackIsRefusedWithNothingMoved",
     .slots = test::slots::vfat,
     .making = {"+A.MP3", "+keep.wma", "+B.MP3", "+Z.WMA"},
     .order = {"B.MP3", "A.MP3"},
     .expected = {"A.MP3", "keep.wma", "B.MP3", "Z.WMA"},
     .capacity = 7,
     .slots_short = 2},
    {.name = "ANearlyFullRootWithTheShortSongFirstPutsTheSongsBack",
     .slots = test::slots::fusefat,
     .making = nearly_full,
     .order = {"s.mp3", long_song},
     .expected = nearly_full_kept,
     .capacity = 15,
     .put_back = true},
    {.name = "ANearlyFullRootThatSaysNothingPutsTheSongsBackToo",
     .slots = test::slots::fusefat,
     .making = nearly_full,
     .order = {"s.mp3", long_song},
     .expected = nearly_full_kept,
     .capacity = 15,
     .tells_room = false,
     .put_back = true},
    {.name = "ANearlyFullRootOneSlotShortIsRefused",
     .slots = test::slots::fusefat,
     .making = nearly_full,
     .order = {"s.mp3", long_song},
     .expected = nearly_full_kept,
     .capacity = 14,
     .slots_short = 1},
    {.name = "TheSongsAlreadyInPlaceAtTheFrontStay",
     .slots = test::slots::vfat,
     .making = {"+A.MP3", "+keep.wma", "+B.MP3", "+C.MP3", "+D.MP3"},
     .order = {"A.MP3", "B.MP3", "D.MP3", "C.MP3"},
     .expected = {"A.MP3", "keep.wma", "B.MP3", "D.MP3", "C.MP3"},
     .staying = 2},
    {.name = "AFailureMovingOutPutsEverySongBack",
     .slots = test::slots::vfat,
     .making = three_songs,
     .order = reversed,
     .expected = {"A.MP3", "keep.wma", "B.MP3", "C.MP3"},
     .failing_move = 2},
    {.name = "AFailureMovingBackPutsEverySongBack",
     .slots = test::slots::vfat,
     .making = three_songs,
     .order = reversed,
     .expected = {"C.MP3", "keep.wma", "B.MP3", "A.MP3"},
     .failing_move = 5},
    // The recovery goes on in the order chosen.
    {.name = "ACardPulledMovingOutLeavesTheRestForTheNextStart",
     .slots = test::slots::fusefat,
     .making = three_songs,
     .order = reversed,
     .expected = {"A.MP3", "keep.wma", "C.MP3", "B.MP3"},
     .failing_move = 3,
     .card_pulled = true},
    {.name = "ACardPulledMovingBackLeavesTheRestForTheNextStart",
     .slots = test::slots::exfat,
     .making = three_songs,
     .order = reversed,
     .expected = {"C.MP3", "keep.wma", "B.MP3", "A.MP3"},
     .failing_move = 5,
     .card_pulled = true},
};

class CardArrangement : public ::testing::TestWithParam<Arrangement> {
protected:
    CardArrangement() : fs(GetParam().slots, GetParam().capacity) {
        fs.tells_room = GetParam().tells_room;
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
                    if (file.name != arrangement_marker_name)
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
    ArrangementResult result;
    const int failure = failure_of([&] {
        result = arrange_card(fs, drives, "e:", a.order,
                              [&](int done, int total) { progress.push_back(total - done); });
    });
    expect_every_song_once();

    if (a.failing_move == 0) {
        EXPECT_EQ(failure, 0);
        EXPECT_EQ(result.out_of_order, a.out_of_order);
        EXPECT_EQ(result.slots_short, a.slots_short);
        EXPECT_EQ(result.put_back, a.put_back);
        EXPECT_THAT(result.left.kept, IsEmpty());
        if (a.slots_short > 0) {
            EXPECT_THAT(fs.log, IsEmpty());
            EXPECT_THAT(arrangement_messages(result).front(),
                        HasSubstr("あと" + std::to_string(a.slots_short) + "個"));
        } else if (!a.put_back) {
            EXPECT_EQ(progress.size(), 2 * (a.order.size() - a.staying));
            EXPECT_EQ(progress.back(), 0);
        }
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
    for (std::size_t i = 0; i < a.staying; ++i)
        EXPECT_THAT(fs.log, Not(Contains(HasSubstr("move /card/" + a.order[i]))));
    if (a.expected.empty())
        EXPECT_THAT(songs(after), ElementsAreArray(a.order));
    else
        EXPECT_THAT(after, ElementsAreArray(a.expected));
}

INSTANTIATE_TEST_SUITE_P(, CardArrangement, ::testing::ValuesIn(arrangements),
                         [](const auto& info) { return std::string(info.param.name); });

// Goes on past what it cannot bring back, names it with the reason, and touches only
// the program's own (marked) working folder and only its songs.
TEST(ArrangementRecovery, BringsBackWhatItCanNamesWhatItCannotAndLeavesTheUsersOwn) {
    SlotFileSystem fs(test::slots::fusefat, 14);
    fs.tells_room = false;
    test::FakeDrives drives;
    drives.add("e:", "/card").type = "exfat";
    fs.add_folder("/card");
    fs.make_folder("/card/KDRSORT");
    for (const auto* name : {"KDRSORT.TAG", "b.mp3", "a.mp3", long_song.c_str(), "photo.jpg"})
        fs.put("/card/KDRSORT/" + std::string(name), 7);
    fs.put("/card/A.MP3", 9); // someone's own, since
    fs.make_folder("/card/kdrsort1");
    fs.put("/card/kdrsort1/own.mp3"); // no marker: the user's own
    fs.put("/card/filler one.wma");
    fs.log.clear();
    const ArrangementRecovery recovery = recover_arrangement(fs, drives, "e:");
    EXPECT_EQ(recovery,
              (ArrangementRecovery{
                  1, {{"a.mp3", KeptBecause::name_taken}, {long_song, KeptBecause::no_room}}, {}}));
    EXPECT_THAT(
        fs.entry_names("/card/KDRSORT"),
        ElementsAreArray(std::vector<std::string>{"KDRSORT.TAG", "a.mp3", long_song, "photo.jpg"}));
    EXPECT_THAT(fs.entry_names("/card/kdrsort1"), ElementsAreArray({"own.mp3"}));
    EXPECT_THAT(fs.log, Not(Contains(HasSubstr("kdrsort1"))));
    EXPECT_THAT(*recovery_message(recovery),
                ::testing::EndsWith("：\na.mp3（同じ名前のファイルがルートフォルダにあります）\n" +
                                    long_song + "（ルートフォルダに空きがありません）"));

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

// Some drivers drop a file whose rename they refuse: the song is named, never retried
// from nowhere, and the others still come back in order.
TEST(ArrangeCard, ASongGoneWithARefusedMoveIsNamedAndTheOthersArranged) {
    SlotFileSystem fs;
    test::FakeDrives drives;
    drives.add("e:", "/card").type = "vfat";
    fs.add_folder("/card");
    for (const auto* name : {"A.MP3", "B.MP3", "C.MP3"})
        fs.put("/card/" + std::string(name));
    fs.on_move = [&](const std::string& from, const std::string&) {
        if (from == "/card/KDRSORT/B.MP3" && fs.exists(from)) {
            fs.erase(from);
            throw Failure(failure_code::permission_denied);
        }
    };
    const ArrangementResult result =
        arrange_card(fs, drives, "e:", {"C.MP3", "B.MP3", "A.MP3"}, [](int, int) {});
    EXPECT_EQ(result.left.vanished, std::vector<std::string>{"B.MP3"});
    EXPECT_THAT(fs.entry_names("/card"), ElementsAreArray({"C.MP3", "A.MP3"}));
    EXPECT_THAT(arrangement_messages(result).back(), ::testing::EndsWith("：\nB.MP3"));
}

} // namespace
} // namespace kadoru
