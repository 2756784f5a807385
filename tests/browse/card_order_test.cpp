#include "browse/card_order.h"
#include "fakes/fake_drives.h"
#include "platform/linux/drive_table.h"
#include "platform/linux/posix_file_system.h"
#include "support/card_test.h"
#include "transfer_list/format_size.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kadoru {
namespace {

using test::CardImage;
using test::ScratchFolder;

class CardOrderOnCard : public test::CardTest {};

// Holes filled out of the order the files were written, a folder among the files:
// the window lists what a player reads, as mtools reads it from the unmounted card.
TEST_P(CardOrderOnCard, ListsTheEntriesAsTheMediumStoresThem) {
    for (const char* name : {"A.MP3", "keep.wma", "a rather long song name.mp3", "C.MP3"})
        dir.write(std::string("card/") + name, std::string(1234, 'x'));
    std::filesystem::create_directory(card->root() + "/Folder");
    std::filesystem::remove(card->root() + "/A.MP3");
    dir.write("card/b.mp3", "");

    const auto drives = system_drive_table();
    const PosixFileSystem fs;
    const CardOrder order = read_card_order(fs, *drives, drives->drive_of(card->root()));

    EXPECT_TRUE(order.as_stored);
    std::vector<CardOrderRow> stored;
    for (const auto& name : card->stored_order())
        stored.push_back(
            {name, name == "Folder" ? "フォルダ" : format_size(name == "b.mp3" ? 0 : 1234)});
    EXPECT_EQ(stored.size(), 5U);
    EXPECT_EQ(order.rows, stored);
}

INSTANTIATE_TEST_SUITE_P(, CardOrderOnCard,
                         ::testing::Values(CardImage::Format::fat16, CardImage::Format::fat32,
                                           CardImage::Format::exfat),
                         test::format_name);

TEST(CardOrder, AFileSystemThatStoresNoOrderIsListedAsReadAndSaysSo) {
    const ScratchFolder dir;
    dir.write("song.mp3", "12345");
    std::filesystem::create_directory(dir / "sub");
    test::FakeDrives drives;
    drives.add("e:", dir.path()).type = "ext4";
    const PosixFileSystem fs;

    const CardOrder order = read_card_order(fs, drives, "e:");

    EXPECT_FALSE(order.as_stored);
    EXPECT_THAT(order.rows, ::testing::UnorderedElementsAre(CardOrderRow{"song.mp3", "0KB"},
                                                            CardOrderRow{"sub", "フォルダ"}));
    EXPECT_NE(card_order_note(order), card_order_note(CardOrder{"e:", {}, true}));
}

} // namespace
} // namespace kadoru
