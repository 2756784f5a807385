#include "card/card_arrangement.h"
#include "platform/linux/drive_table.h"
#include "platform/linux/posix_file_system.h"
#include "support/card_mounts.h"
#include "support/card_test.h"
#include "transfer/run_harness.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

namespace kadoru {
namespace {

using test::CardImage;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::Not;

// The card's own port, but the process dies (no unwinding, nothing cleaned up) as
// it is about to make the move with this number.
class DyingCard final : public CardFiles {
public:
    DyingCard(CardFiles& card, int dies_at) : card_(card), dies_at_(dies_at) {}
    std::vector<FileEntry> files(const std::string& f) const override { return card_.files(f); }
    std::vector<std::string> entry_names(const std::string& f) const override {
        return card_.entry_names(f);
    }
    std::optional<std::vector<std::string>>
    stored_entry_names(const std::string& f) const override {
        return card_.stored_entry_names(f);
    }
    FolderRoom folder_room(const std::string& f) const override { return card_.folder_room(f); }
    bool is_folder(const std::string& p) const override { return card_.is_folder(p); }
    bool is_file(const std::string& p) const override { return card_.is_file(p); }
    bool same_file(const std::string& a, const std::string& b) const override {
        return card_.same_file(a, b);
    }
    std::optional<FileId> file_id(const std::string& p) const override { return card_.file_id(p); }
    std::optional<FileStamp> readable_file(const std::string& p) const override {
        return card_.readable_file(p);
    }
    void delete_file(const std::string& p) override { card_.delete_file(p); }
    void copy_file_or_stop(const std::string& from, const std::string& to,
                           std::stop_token stop) override {
        card_.copy_file_or_stop(from, to, std::move(stop));
    }
    void create_empty_file(const std::string& p) override { card_.create_empty_file(p); }
    void move_entry(const std::string& from, const std::string& to) override {
        if (++moves_ == dies_at_)
            std::_Exit(9);
        card_.move_entry(from, to);
    }
    void make_folder(const std::string& p) override { card_.make_folder(p); }
    void remove_empty_folder(const std::string& p) override { card_.remove_empty_folder(p); }

private:
    CardFiles& card_;
    int dies_at_;
    int moves_ = 0;
};

class ArrangementOnCard : public test::CardTest {
protected:
    // A root folder with holes (long and short names deleted), long and short song
    // names, another type's files and folders; each song's bytes its own.
    void SetUp() override {
        CardTest::SetUp();
        if (IsSkipped())
            return;
        for (const auto* name :
             {"a long name to leave a hole.mp3", "01 the first long title.mp3", "KEEP.WMA", "B.MP3",
              "X.MP3", "c.mp3", "voice memo.wma", "04 fourth one with a long name.mp3", "E.MP3"})
            put(name);
        std::filesystem::create_directory(*card / "sub");
        put("sub/inside.mp3");
        put("Z.WMA");
        std::filesystem::create_directory(*card / "LATER");
        // The user's own folder of the working folder's name: never the program's.
        std::filesystem::create_directory(*card / "kdrsort");
        put("kdrsort/photo.jpg");
        for (const auto* gone : {"a long name to leave a hole.mp3", "X.MP3"}) {
            std::filesystem::remove(*card / gone);
            bytes.erase(gone);
        }
        before = card->stored_order();
        ASSERT_TRUE(card->mount());
    }
    void put(const std::string& name) {
        const std::string content = name + std::string(1000 + 37 * bytes.size(), '#') + name;
        dir.write("card/" + name, content);
        bytes[name] = content;
    }

    DriveTable drives() const { return test::card_drive_table(card->root(), dir.path()); }
    // Every file's bytes as they were put, read back from a fresh mount.
    void expect_every_byte_kept() {
        ASSERT_TRUE(card->mount());
        for (const auto& [name, content] : bytes)
            EXPECT_EQ(dir.read("card/" + name), content) << name;
        EXPECT_FALSE(std::filesystem::exists(*card / "KDRSORT1"));
        EXPECT_EQ(test::folder_read(*card / "kdrsort"), std::vector<std::string>{"photo.jpg"});
    }
    // The names of these that are (or are not) songs of the arrangement, in their order.
    std::vector<std::string> of(const std::vector<std::string>& names, bool songs) const {
        std::vector<std::string> found;
        for (const auto& name : names)
            if ((std::find(order.begin(), order.end(), name) != order.end()) == songs)
                found.push_back(name);
        return found;
    }

    std::map<std::string, std::string> bytes;
    std::vector<std::string> before;
    const std::vector<std::string> order = {"E.MP3", "c.mp3", "04 fourth one with a long name.mp3",
                                            "B.MP3", "01 the first long title.mp3"};
};

TEST_P(ArrangementOnCard, SongsInTheChosenOrderEveryByteKeptOthersUntouched) {
    PosixFileSystem fs;
    const DriveTable table = drives();
    ASSERT_EQ(table.drive_of(card->root()), "e:");
    int moves = 0;
    EXPECT_EQ(arrange_card(fs, table, "e:", order, [&](int done, int) { moves = done; }),
              ArrangementResult{});
    EXPECT_EQ(moves, 10);
    const auto after = card->stored_order();
    EXPECT_THAT(of(after, true), ElementsAreArray(order));
    EXPECT_THAT(of(after, false), ElementsAreArray(of(before, false)));
    expect_every_byte_kept();
}

TEST_P(ArrangementOnCard, KilledHalfWayTheNextStartPutsEverySongBack) {
    for (const int dies_at : {3, 8}) { // moving out, moving back
        SCOPED_TRACE(dies_at);
        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            PosixFileSystem fs;
            DyingCard dying(fs, dies_at);
            arrange_card(dying, drives(), "e:", order, [](int, int) {});
            std::_Exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 9);
        EXPECT_TRUE(std::filesystem::is_directory(*card / "KDRSORT1"));
        // The next start, on a card mounted afresh.
        card->unmount();
        ASSERT_TRUE(card->mount());
        PosixFileSystem fs;
        const ArrangementRecovery recovery = recover_arrangement(fs, drives(), "e:");
        EXPECT_THAT(recovery.kept, IsEmpty());
        EXPECT_GT(recovery.returned, 0);
        expect_every_byte_kept();
        EXPECT_THAT(card->stored_order(), Not(::testing::Contains("KDRSORT1")));
        ASSERT_TRUE(card->mount());
    }
}

// A FAT16 root (512 slots) that the FUSE driver keeps quiet about: a long song first,
// fillers of two slots each, a short song last, then as many free slots as asked.
class NearlyFullFat16 : public ::testing::Test {
protected:
    void SetUp() override {
        card.emplace(dir, CardImage::Format::fat16);
        if (!card->mounted())
            GTEST_SKIP() << card->why_not();
    }
    void fill(const std::vector<std::string>& songs, int free_slots) {
        for (const auto& song : songs) {
            bytes[song] = song + std::string(3000, '#');
            dir.write("card/" + song, bytes[song]);
        }
        std::vector<std::string> fillers;
        const int used = 5 + 2 + 2 * static_cast<int>(songs.size() - 2);
        for (int i = 0; 2 * i < 512 - used - free_slots; ++i)
            fillers.push_back("fill " + std::to_string(1000 + i) + ".wma"); // 12 characters
        ASSERT_TRUE(card->put_unmounted(dir, fillers) && card->mount());
    }
    void expect_every_byte_kept() {
        ASSERT_TRUE(card->mount());
        for (const auto& [name, content] : bytes)
            EXPECT_EQ(dir.read("card/" + name), content) << name;
    }
    DriveTable drives() const { return test::card_drive_table(card->root(), dir.path()); }

    test::ScratchFolder dir;
    std::optional<CardImage> card;
    std::map<std::string, std::string> bytes;
    const std::string long_song = "a long title of forty characters here.mp3";
};

class FreeSlots : public NearlyFullFat16, public ::testing::WithParamInterface<int> {};

TEST_P(FreeSlots, TheShortSongFirstIsRefusedOrArrangedNeverLost) {
    fill({long_song, "s.mp3"}, GetParam());
    const auto before = card->stored_order();
    ASSERT_TRUE(card->mount());
    PosixFileSystem fs;
    const ArrangementResult result =
        arrange_card(fs, drives(), "e:", {"s.mp3", long_song}, [](int, int) {});
    EXPECT_EQ(result.left, ArrangementRecovery{});
    const auto after = card->stored_order();
    if (result.slots_short > 0 || result.put_back)
        EXPECT_EQ(after, before);
    else
        EXPECT_LT(std::find(after.begin(), after.end(), "s.mp3"),
                  std::find(after.begin(), after.end(), long_song));
    expect_every_byte_kept();
    EXPECT_FALSE(std::filesystem::exists(*card / "KDRSORT"));
}

INSTANTIATE_TEST_SUITE_P(, FreeSlots, ::testing::Values(2, 4, 8));

TEST_F(NearlyFullFat16, KilledComingBackIntoARootThenFullTheSongIsNamedAndTheRunGoesOn) {
    fill({long_song, "one.mp3", "two.mp3"}, 6);
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        PosixFileSystem fs;
        DyingCard dying(fs, 5); // three out, one back
        arrange_card(dying, drives(), "e:", {"two.mp3", "one.mp3", long_song}, [](int, int) {});
        std::_Exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 9);
    for (int i = 0; std::ofstream(*card / ("fill " + std::to_string(2000 + i) + ".mp3")); ++i) {
    }

    PosixFileSystem fs;
    DriveTable table = drives();
    const std::string source = dir.write("new.mp3", "new");
    test::RunHarness run(fs, table, "e:", dir.path(), dir.path());
    run.messages.answers = {Answer::ok, Answer::yes}; // the delete question: yes
    run.add("new.mp3", source, 3);
    run.start();
    const auto texts = run.messages.texts();
    ASSERT_EQ(texts.size(), 4U);
    for (const auto& told : {texts[0], texts[1]})
        EXPECT_THAT(told, ::testing::HasSubstr(long_song + "（ルートフォルダに空きがありません）"));
    EXPECT_EQ(texts.back(), "処理が終了しました");
    EXPECT_EQ(dir.read("card/new.mp3"), "new");
    for (const auto& [name, content] : bytes) {
        if (name != "two.mp3") { // back in the root before the kill, then deleted by the run
            EXPECT_EQ(dir.read("card/KDRSORT/" + name), content) << name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(, ArrangementOnCard,
                         ::testing::Values(CardImage::Format::fat16, CardImage::Format::fat32,
                                           CardImage::Format::exfat),
                         test::format_name);

} // namespace
} // namespace kadoru
