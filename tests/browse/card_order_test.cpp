#include "browse/card_order.h"
#include "fakes/fake_drives.h"
#include "platform/posix/drive_table.h"
#include "platform/posix/posix_file_system.h"
#include "support/card_image.h"
#include "transfer_list/format_size.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>

namespace kadoru {
namespace {

using test::CardImage;
using test::ScratchFolder;

std::vector<std::string> names_of(const CardOrder& order) {
    std::vector<std::string> names;
    for (const auto& row : order.rows)
        names.push_back(row.name);
    return names;
}

class CardOrderOnCard : public ::testing::TestWithParam<CardImage::Format> {
protected:
    void SetUp() override {
        card.emplace(dir, GetParam());
        if (!card->mounted())
            GTEST_SKIP() << card->why_not();
    }

    ScratchFolder dir;
    std::optional<CardImage> card;
};

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
    ASSERT_EQ(order.rows.size(), 5U);
    for (const auto& row : order.rows) {
        const std::string expected = row.name == "Folder"  ? "フォルダ"
                                     : row.name == "b.mp3" ? format_size(0)
                                                           : format_size(1234);
        EXPECT_EQ(row.size_text, expected) << row.name;
    }
    EXPECT_EQ(names_of(order), card->stored_order());
}

INSTANTIATE_TEST_SUITE_P(, CardOrderOnCard,
                         ::testing::Values(CardImage::Format::fat16, CardImage::Format::fat32,
                                           CardImage::Format::exfat),
                         [](const auto& info) {
                             return info.param == CardImage::Format::fat16   ? "Fat16"
                                    : info.param == CardImage::Format::fat32 ? "Fat32"
                                                                             : "Exfat";
                         });

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
