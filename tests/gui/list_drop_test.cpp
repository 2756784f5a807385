// Building the list as a file manager user does, through the real window on real
// files: a drop of files, a folder and a playlist, dragging rows, and the sorting
// and playlist saving of its context menu.
#include "app/main_controller.h"
#include "app/main_view_model.h"
#include "app/widgets/kadoru10.h"
#include "app/widgets/transfer_list_view.h"
#include "fakes/fake_drives.h"
#include "fakes/fake_song_details.h"
#include "fakes/fake_transfer_ports.h"
#include "fakes/fake_ui.h"
#include "gui_test_support.h"
#include "platform/linux/posix_file_system.h"
#include "support/scratch.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include <QAction>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

namespace kadoru {
namespace {

using kadoru::test::click_row;
using kadoru::test::drop_on;
using kadoru::test::selected_rows;
using kadoru::test::show_active;
using kadoru::test::shown_rows;
using kadoru::test::upper_half;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace stdfs = std::filesystem;

class ListDrops : public ::testing::Test {
protected:
    ListDrops()
        : model(drives, fs, "c:", root),
          controller(model, fs, drives, messages, events, clock, progress, details),
          window(model, controller, messages, [] {}) {
        drives.add("c:", "/").current = root;
        stdfs::create_directories(music + "/album/extras"); // not a file of the folder
        stdfs::create_directories(music + "/lists");
        for (const auto& [name, size] :
             std::vector<std::pair<const char*, std::size_t>>{{"single.mp3", 100'000},
                                                              {"album/10 c.mp3", 30'000},
                                                              {"album/2 b.mp3", 20'000},
                                                              {"album/1 a.MP3", 10'000},
                                                              {"album/cover.jpg", 1'000},
                                                              {"lists/曲.mp3", 5'000}})
            scratch.write(std::string("music/") + name, std::string(size, 'm'));
        // A Windows tool's playlist: Shift_JIS, CRLF, a song beside it, one above, one gone.
        scratch.write("music/lists/mix.m3u",
                      "#EXTM3U\r\n#EXTINF:1,x\r\n\x8b\xc8.mp3\r\n..\\single.mp3\r\ngone.mp3\r\n");
        for (const char* type : {"MP3", "WMA", "WAV"})
            model.combo_ftype.add_item(type);
        model.combo_ftype.set_text("MP3");
        show_active(window);
    }

    TransferListView& list2_view() {
        return *window.findChild<TransferListView*>(QStringLiteral("List2"));
    }
    std::string label7() {
        return window.findChild<QLabel*>(QStringLiteral("Label7"))->text().toStdString();
    }
    std::vector<std::string> rows() const {
        std::vector<std::string> names;
        for (int i = 0; i < model.list2.count(); ++i)
            names.push_back(model.list2.row(i).name + " " + model.list2.row(i).size_text);
        return names;
    }
    // A drag over List2 and its drop onto a row's upper half (-1: below the rows).
    bool drop(const QMimeData& data, int row, Qt::DropActions offered) {
        return drop_on(list2_view(), data, upper_half(list2_view(), row), offered);
    }
    void menu(const char* action) {
        list2_view().findChild<QAction*>(QString::fromLatin1(action))->trigger();
    }

    const test::ScratchFolder scratch;
    const std::string root = scratch.path();
    const std::string music = root + "/music";

    test::FakeDrives drives;
    PosixFileSystem fs;
    test::ScriptedMessageBox messages;
    test::FakeEventPump events;
    test::FakeClock clock;
    test::FakeProgress progress;
    test::FakeSongDetails details;
    MainViewModel model;
    MainController controller;
    Kadoru10 window;
};

TEST_F(ListDrops, FilesAFolderAndAPlaylistFromAFileManager) {
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QString::fromStdString(music + "/single.mp3")),
                   QUrl::fromLocalFile(QString::fromStdString(music + "/album")),
                   QUrl::fromLocalFile(QString::fromStdString(music + "/lists/mix.m3u")),
                   QUrl::fromLocalFile(QString::fromStdString(music + "/nothing.mp3"))});
    ASSERT_TRUE(drop(files, -1, Qt::CopyAction | Qt::MoveAction | Qt::LinkAction));

    // The album's MP3 files as the file list orders them, the playlist's in its order.
    const auto all = rows();
    ASSERT_EQ(all.size(), 6U);
    EXPECT_EQ(all[0], "single.mp3 100000");
    EXPECT_THAT(
        std::vector<std::string>(all.begin() + 1, all.begin() + 4),
        ::testing::UnorderedElementsAre("1 a.MP3 10000", "2 b.mp3 20000", "10 c.mp3 30000"));
    EXPECT_EQ(all[4], "曲.mp3 5000");
    EXPECT_EQ(all[5], "single.mp3 100000");
    EXPECT_EQ(model.list2.row(4).source_path, music + "/lists/曲.mp3");
    EXPECT_EQ(model.list2.row(5).source_path, music + "/single.mp3");
    EXPECT_EQ(shown_rows(list2_view()).size(), 6U);
    EXPECT_EQ(label7(), "265KB");
    // gone.mp3 in the playlist and the dropped nothing.mp3.
    EXPECT_THAT(messages.texts(), ElementsAre("追加できなかったファイルが2個あります"));
}

TEST_F(ListDrops, DraggingRowsSortingAndSavingThroughTheMenu) {
    for (const char* name : {"single.mp3", "album/10 c.mp3", "album/2 b.mp3", "album/1 a.MP3"})
        model.list2.append({stdfs::path(name).filename().string(), music + "/" + name, "1000"});
    auto& view = list2_view();
    click_row(view, 1);
    click_row(view, 3, Qt::ControlModifier);
    ASSERT_TRUE(drop(*view.dragged_rows(), 0, Qt::MoveAction));
    EXPECT_THAT(shown_rows(view), ElementsAre("10 c.mp3", "1 a.MP3", "single.mp3", "2 b.mp3"));
    EXPECT_THAT(selected_rows(view), ElementsAre(0, 1));
    EXPECT_EQ(label7(), "4KB");

    details.songs[music + "/album/1 a.MP3"] = {"", "", "", 1, 1, {}};
    details.songs[music + "/album/2 b.mp3"] = {"", "", "", 1, 2, {}};
    menu("sort_by_track");
    EXPECT_THAT(shown_rows(view), ElementsAre("1 a.MP3", "2 b.mp3", "10 c.mp3", "single.mp3"));
    menu("sort_by_name");
    EXPECT_THAT(shown_rows(view), ElementsAre("1 a.MP3", "2 b.mp3", "10 c.mp3", "single.mp3"));
    EXPECT_THAT(selected_rows(view), ElementsAre(0, 2)); // the dragged two, where they went

    controller.save_playlist(music + "/album/saved.m3u8");
    EXPECT_EQ(scratch.read("music/album/saved.m3u8"),
              "#EXTM3U\n1 a.MP3\n2 b.mp3\n10 c.mp3\n" + music + "/single.mp3\n");
    EXPECT_THAT(messages.shown, IsEmpty());
}

} // namespace
} // namespace kadoru
