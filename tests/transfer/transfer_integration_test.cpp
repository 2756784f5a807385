// A real transfer: the real file system, drive table and settings file, on folders
// and volumes of the test's own mapped as drives. Only the clock, the message
// boxes and the windows are fakes.
#include "app/settings_file.h"
#include "fakes/fake_transfer_ports.h"
#include "fakes/fake_ui.h"
#include "platform/drive_selector.h"
#include "platform/folder_list.h"
#include "platform/posix/drive_table.h"
#include "platform/posix/posix_file_system.h"
#include "support/fat_volume.h"
#include "support/listed_mounts.h"
#include "support/scratch.h"
#include "transfer/transfer_run.h"
#include "transfer_list/transfer_list.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace kadoru {
namespace {

namespace stdfs = std::filesystem;
using namespace std::chrono_literals;
using test::FatVolume;
using test::folder_mount;
using test::ListedMounts;
using test::ScratchFolder;
using test::TmpfsMount;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

std::string random_bytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (auto& byte : bytes)
        byte = static_cast<char>(random());
    return bytes;
}

// The source folder is drive c:, the program's folder d:, the card e:. The card's
// folder must exist (and be mounted, when it is a volume) before the drives are made.
class RealTransfer {
public:
    explicit RealTransfer(const ScratchFolder& dir)
        : music_(dir / "a_music"), app_(dir / "b_app"), card_(dir / "card") {
        stdfs::create_directories(music_);
        stdfs::create_directories(app_);
        stdfs::create_directories(card_);
    }

    // Writes a source file and appends it to the list, with the size the list
    // believes it has (by default its true size).
    void add(const std::string& name, const std::string& bytes,
             std::optional<std::size_t> listed_size = std::nullopt) {
        const std::string path = music_ + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        const std::size_t size = listed_size.value_or(bytes.size());
        list.append({name, path, std::to_string(size)});
        total_size += static_cast<double>(size);
    }

    void start() {
        table_ = {folder_mount(music_), folder_mount(app_), folder_mount(card_)};
        drives_ = std::make_unique<DriveTable>(std::make_unique<ListedMounts>(table_), music_);
        ASSERT_EQ(drives_->drive_of(card_), "e:");
        FolderList dir1(*drives_, fs, music_);
        DriveSelector drive2(*drives_, "e:");
        TransferRun run({list, total_size, drive2, dir1, [] { return std::string("MP3"); },
                         [this](const std::string& folder, const std::string& drive) {
                             // No user folder: the test must never touch the user's own settings.
                             save_settings(fs, SettingsPlaces{app_, {}}, folder, drive);
                         }},
                        {fs, *drives_, clock, messages, events, progress, controls});
        run.start();
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

    PosixFileSystem fs;
    test::FakeClock clock;
    test::ScriptedMessageBox messages;
    test::FakeEventPump events;
    test::FakeProgress progress;
    test::FakeControls controls;
    TransferList list;
    double total_size = 0;

private:
    std::string music_;
    std::string app_;
    std::string card_;
    std::vector<Mount> table_;
    std::unique_ptr<DriveTable> drives_;
};

class IntoARealFolder : public ::testing::TestWithParam<bool> {};

TEST_P(IntoARealFolder, CopiesTheListInOrderAndSavesTheSettings) {
    const bool on_fat = GetParam();
    const ScratchFolder dir;
    std::optional<FatVolume> fat;
    if (on_fat) {
        fat.emplace(dir);
        if (!fat->mounted())
            GTEST_SKIP() << fat->why_not();
    }
    RealTransfer transfer(dir);
    const auto write_on_card = [&](const std::string& name) {
        std::ofstream(transfer.card() + "/" + name) << "old";
    };
    write_on_card("keep.wma");
    stdfs::create_directory(transfer.card() + "/sub");
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

    EXPECT_THAT(transfer.messages.texts(),
                ElementsAre("e:\\ の中のMP3ファイルを削除しますか？", "処理が終了しました"));
    if (on_fat) // a player reads them in this order
        EXPECT_THAT(transfer.card_names(), ElementsAre("keep.wma", names[0], names[1], names[2]));
    else
        EXPECT_THAT(transfer.card_names(),
                    UnorderedElementsAre("keep.wma", names[0], names[1], names[2]));
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_TRUE(ScratchFolder::read_file(transfer.card() + "/" + names[i]) == contents[i])
            << names[i];
    EXPECT_EQ(ScratchFolder::read_file(transfer.card() + "/sub/inner.mp3"), "old");
    EXPECT_EQ(transfer.settings_record(), transfer.music() + ",e:");
    // 200,000 bytes wait one second on the clock; the others none.
    EXPECT_EQ(transfer.clock.now() - test::FakeClock().now(), 1s);
}

INSTANTIATE_TEST_SUITE_P(Volumes, IntoARealFolder, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Fat" : "PlainFolder"; });

TEST(IntoAFullCard, StopsWithDiskFullKeepingTheEarlierFilesWhole) {
    const ScratchFolder dir;
    const TmpfsMount card(dir / "card", "size=256k");
    if (!card.mounted())
        GTEST_SKIP() << card.why_not();
    RealTransfer transfer(dir);
    // The files grew after they were listed, so the space check passes them.
    std::vector<std::string> contents;
    for (unsigned i = 1; i <= 5; ++i) {
        contents.push_back(random_bytes(100000, i));
        transfer.add(std::to_string(i) + ".mp3", contents.back(), 50000);
    }
    transfer.messages.answers = {Answer::no};
    transfer.start();

    EXPECT_EQ(transfer.messages.texts().back(), "Error：61で異常終了しました");
    EXPECT_THAT(transfer.card_names(), UnorderedElementsAre("1.mp3", "2.mp3"));
    EXPECT_TRUE(ScratchFolder::read_file(transfer.card() + "/1.mp3") == contents[0]);
    EXPECT_TRUE(ScratchFolder::read_file(transfer.card() + "/2.mp3") == contents[1]);
    EXPECT_FALSE(transfer.progress.shown);
    EXPECT_EQ(transfer.progress.current, 0);
    EXPECT_TRUE(transfer.controls.all(true));
    EXPECT_FALSE(stdfs::exists(settings_path(dir / "b_app")));
}

} // namespace
} // namespace kadoru
