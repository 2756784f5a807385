// A real transfer: the real file system, drive table and settings file of the pair
// of the platform layer the build has, on folders and volumes of the test's own
// mapped as drives (on Windows, drive letters of Wine's), through the main window's
// wiring. Only the clock, the message boxes and the windows are fakes.
#include "app/main_program.h"
#include "app/settings_file.h"
#include "fakes/fake_transfer_ports.h"
#include "fakes/fake_ui.h"
#include "platform/paths.h"
#include "support/scratch_folder.h"
#include "support/song_files.h"
#include "system_pair.h"
#include "transfer_list/list_size.h"
#include "transfer_list/transfer_list.h"

#include <algorithm>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>

namespace kadoru {
namespace {

namespace stdfs = std::filesystem;
using namespace std::chrono_literals;
using test::CardKind;
using test::random_bytes;
using test::ScratchFolder;
using test::std_path;
using test::TestCard;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

// The source folder and the program's folder lie on the machine's own drives, the card
// on a removable one, which must be ready before the drives are made.
class RealTransfer {
public:
    RealTransfer(const ScratchFolder& dir, const TestCard& card)
        : music_(dir / "a_music"), app_(dir / "b_app"), card_(card.root()), drive_(card.drive()) {
        stdfs::create_directories(std_path(music_));
        stdfs::create_directories(std_path(app_));
    }

    // Writes a source file and appends it to the list, with the size the list
    // believes it has (by default its true size).
    void add(const std::string& name, const std::string& bytes,
             std::optional<std::size_t> listed_size = std::nullopt) {
        const std::string path = ScratchFolder::write_file(join_path(music_, name), bytes);
        rows_.push_back({name, path, std::to_string(listed_size.value_or(bytes.size()))});
    }

    // The program starts in the music folder, the rows are added and e: chosen; Start.
    void start() {
        drives_ = std::make_unique<test::TransferDrives>(music_, app_, card_);
        Drives& drives = drives_->drives();
        ASSERT_EQ(drives.drive_of(card_), drive_);
        ASSERT_FALSE(drives.is_fixed(drive_));
        program_ = std::make_unique<MainProgram>(
            ProgramPorts{drives, fs, messages, events, clock, progress}, music_);
        // No user folder: the test must never touch the user's own settings.
        program_->controller.start_up({app_, {}});
        MainViewModel& model = program_->model;
        for (const auto& row : rows_)
            model.list2.append(row);
        list_size(model.list2, model.total_size, model.label7);
        model.drive2.assign(drive_);
        program_->controller.start();
    }

    std::string settings_record() const { return ScratchFolder::read_file(settings_path(app_)); }
    const std::string& music() const { return music_; }
    const std::string& card() const { return card_; }
    std::vector<std::string> card_names() const {
        std::vector<std::string> names;
        for (const auto& file : fs.files(card_))
            names.push_back(file.name);
        return names;
    }

    test::SystemFileSystem fs;
    test::FakeClock clock;
    test::ScriptedMessageBox messages;
    test::FakeEventPump events;
    test::FakeProgress progress;
    // The locked controls as the window draws them.
    struct Controls {
        const RealTransfer& transfer;
        bool all(bool on) const {
            return std::all_of(lock_order.begin(), lock_order.end(), [&](LockedControl c) {
                return transfer.program_->model.controls.enabled(c) == on;
            });
        }
    } controls{*this};

private:
    std::string music_;
    std::string app_;
    std::string card_;
    std::string drive_;
    std::vector<TransferEntry> rows_;
    std::unique_ptr<test::TransferDrives> drives_;
    std::unique_ptr<MainProgram> program_; // last, so it goes before the drives it uses
};

class IntoARealFolder : public ::testing::TestWithParam<bool> {};

TEST_P(IntoARealFolder, CopiesTheListInOrderAndSavesTheSettings) {
    const bool on_fat = GetParam();
    const ScratchFolder dir;
    const TestCard card(dir, on_fat ? CardKind::fat : CardKind::folder);
    if (!card.ready())
        GTEST_SKIP() << card.why_not();
    RealTransfer transfer(dir, card);
    const auto on_card = [&](const std::string& name) {
        return join_path(transfer.card(), test::native(name));
    };
    const auto write_on_card = [&](const std::string& name) {
        ScratchFolder::write_file(on_card(name), "old");
    };
    write_on_card("keep.wma");
    stdfs::create_directory(std_path(on_card("sub")));
    write_on_card("sub/inner.mp3");
    write_on_card("old.mp3"); // the last entry: its deletion leaves no hole before the copies

    // (The FUSE driver of FAT takes no names beyond ASCII.)
    const std::vector<std::string> names = {"01 b.mp3", on_fat ? "03 kyoku.mp3" : "03 曲.mp3",
                                            "a long name of a song.mp3"};
    const std::vector<std::string> contents = {random_bytes(200000, 1), random_bytes(3000, 2),
                                               random_bytes(1234, 3)};
    for (std::size_t i = 0; i < names.size(); ++i)
        transfer.add(names[i], contents[i]);
    transfer.messages.answers = {Answer::yes};
    transfer.start();

    EXPECT_THAT(
        transfer.messages.texts(),
        ElementsAre(card.drive() + "\\ の中のMP3ファイルを削除しますか？", "処理が終了しました"));
    if (on_fat) // a player reads them in this order
        EXPECT_THAT(transfer.card_names(), ElementsAre("keep.wma", names[0], names[1], names[2]));
    else
        EXPECT_THAT(transfer.card_names(),
                    UnorderedElementsAre("keep.wma", names[0], names[1], names[2]));
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_TRUE(ScratchFolder::read_file(on_card(names[i])) == contents[i]) << names[i];
    EXPECT_EQ(ScratchFolder::read_file(on_card("sub/inner.mp3")), "old");
    EXPECT_EQ(transfer.settings_record(), transfer.music() + ",e:");
    // 200,000 bytes wait one second on the clock; the others none.
    EXPECT_EQ(transfer.clock.now() - test::FakeClock().now(), 1s);
}

INSTANTIATE_TEST_SUITE_P(Volumes, IntoARealFolder, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Fat" : "PlainFolder"; });

TEST(IntoAFullCard, ListSizesAreTakenAfreshAtStart) {
    const ScratchFolder dir;
    const TestCard card(dir, CardKind::small);
    if (!card.ready())
        GTEST_SKIP() << card.why_not();
    RealTransfer transfer(dir, card);
    ScratchFolder::write_file(join_path(transfer.card(), "old.mp3"), "old");
    // The files grew after they were listed: by the list's sizes they would fit.
    for (unsigned i = 1; i <= 5; ++i)
        transfer.add(std::to_string(i) + ".mp3", random_bytes(100000, i), 50000);
    transfer.messages.answers = {Answer::yes};
    transfer.start();

    EXPECT_EQ(transfer.messages.texts().back(), card.drive() + " の空き領域が不足しています");
    EXPECT_THAT(transfer.card_names(), ElementsAre("old.mp3")); // nothing deleted
    EXPECT_FALSE(transfer.progress.created);
    EXPECT_TRUE(transfer.controls.all(true));
    EXPECT_FALSE(stdfs::exists(std_path(settings_path(dir / "b_app"))));
}

} // namespace
} // namespace kadoru
