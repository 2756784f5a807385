#include "fakes/fake_file_system.h"
#include "fakes/fake_ui.h"
#include "platform/failure.h"
#include "platform/file_list.h"
#include "support/sized_list.h"
#include "transfer_list/list_drops.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kadoru {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A music folder with an album whose files the file list would show as 1, 2, 10.
class AddingPaths : public ::testing::Test, public test::SizedList {
protected:
    AddingPaths() {
        fs.add_file("/m/one.mp3", 1000);
        fs.add_file("/m/two.wav", 2000);
        fs.add_file("/m/album/10 c.mp3", 10'000);
        fs.add_file("/m/album/1 a.MP3", 30'000);
        fs.add_file("/m/album/cover.jpg", 5);
        fs.add_file("/m/album/2 b.mp3", 20'000);
        fs.add_folder("/m/album/deeper");
    }
    std::vector<std::string> paths() const { return column(&TransferEntry::source_path); }

    test::FakeFileSystem fs;
    test::ScriptedMessageBox messages;
    PathAdding adding{list2, fs, messages, total_size, label7};
};

TEST_F(AddingPaths, FilesFoldersAndPlaylistsInDropOrder) {
    fs.texts["/m/lists/best.m3u8"] = "#EXTM3U\n../two.wav\n/m/one.mp3\n";
    add_dropped(adding, {"/m/two.wav", "/m/album", "/m/lists/best.m3u8", "/m/one.mp3"}, "MP3");
    // The folder's files of the type come as the file list shows them.
    FileList file1(fs);
    file1.show("/m/album", "*.MP3");
    ASSERT_EQ(file1.count(), 3);
    std::vector<std::string> expected = {"/m/two.wav"};
    for (int i = 0; i < file1.count(); ++i)
        expected.push_back("/m/album/" + file1.row(i));
    expected.insert(expected.end(), {"/m/two.wav", "/m/one.mp3", "/m/one.mp3"});
    EXPECT_EQ(paths(), expected);
    EXPECT_EQ(list2.row(1), (TransferEntry{"1 a.MP3", "/m/album/1 a.MP3", "30000"}));
    EXPECT_EQ(total_size, 66'000);
    EXPECT_EQ(label7.text(), "66KB");
    EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(AddingPaths, WhatIsNotAReadableFileIsCountedInOneMessage) {
    fs.unreadable.insert("/m/album/2 b.mp3");
    fs.texts["/m/lists/old.m3u"] = "gone.mp3\n/m/one.mp3\n";
    fs.texts["/m/lists/locked.m3u"] = "/m/one.mp3\n";
    fs.unreadable.insert("/m/lists/locked.m3u");
    fs.add_folder("/m/secret");
    fs.failures["/m/secret"] = failure_code::permission_denied;
    add_dropped(adding,
                {"/m/missing.mp3", "/m/album", "/m/lists/old.m3u", "/m/lists/locked.m3u",
                 "/m/secret", "", "relative.mp3"},
                "MP3");
    // Skipped: missing.mp3, 2 b.mp3, gone.mp3, locked.m3u, the folder it may not read,
    // a dropped thing that is no local file, and a path that is not absolute.
    EXPECT_THAT(paths(), ElementsAre("/m/album/1 a.MP3", "/m/album/10 c.mp3", "/m/one.mp3"));
    EXPECT_THAT(messages.texts(), ElementsAre("追加できなかったファイルが7個あります"));
    EXPECT_EQ(label7.text(), "41KB");
}

TEST_F(AddingPaths, AFullListTakesNoMoreAndSaysSo) {
    for (int i = 0; i < TransferList::max_rows - 1; ++i)
        list2.append({"x.mp3", "/x.mp3", "0"});
    add_dropped(adding, {"/m/album"}, "MP3");
    EXPECT_EQ(list2.count(), TransferList::max_rows);
    EXPECT_EQ(list2.row(TransferList::max_rows - 1).name, "1 a.MP3");
    EXPECT_THAT(messages.texts(), ElementsAre("追加できなかったファイルが2個あります"));
}

TEST_F(AddingPaths, SavingWritesTheSourcePathsInListOrderAtOnceAndAddingReadsThemBack) {
    list2.append({"10 c.mp3", "/m/album/10 c.mp3", "1"});
    list2.append({"one.mp3", "/m/one.mp3", "1"});
    save_playlist(list2, fs, "/m/album/saved.m3u8");
    EXPECT_THAT(fs.log, ElementsAre("write /m/album/saved.m3u8")); // one whole replacement
    EXPECT_EQ(fs.texts["/m/album/saved.m3u8"], "#EXTM3U\n10 c.mp3\n/m/one.mp3\n");

    // Read back into an empty list, it gives the same entries.
    TransferList again;
    add_playlist({again, fs, messages, total_size, label7}, "/m/album/saved.m3u8");
    ASSERT_EQ(again.count(), 2);
    EXPECT_EQ(again.row(0), (TransferEntry{"10 c.mp3", "/m/album/10 c.mp3", "10000"}));
    EXPECT_EQ(again.row(1), (TransferEntry{"one.mp3", "/m/one.mp3", "1000"}));
    EXPECT_EQ(label7.text(), "11KB");
    EXPECT_THAT(messages.shown, IsEmpty());

    // A playlist that cannot be read is the caller's failure to show; nothing changes.
    EXPECT_THROW(add_playlist({again, fs, messages, total_size, label7}, "/m/lists/none.m3u8"),
                 Failure);
    EXPECT_EQ(again.count(), 2);
}

} // namespace
} // namespace kadoru
