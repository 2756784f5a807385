// Songs' details in the real window: hovering File1's and List2's rows and Label7,
// with the real TagLib reader on songs the test makes and tags itself.
#include "app/main_controller.h"
#include "app/main_view_model.h"
#include "app/widgets/kadoru10.h"
#include "fakes/fake_drives.h"
#include "fakes/fake_ui.h"
#include "gui_test_support.h"
#include "platform/linux/posix_file_system.h"
#include "platform/song_details_cache.h"
#include "platform/taglib/taglib_song_details.h"
#include "support/scratch.h"
#include "support/song_files.h"
#include "transfer/widgets/window_progress.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

#include <QHelpEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QToolTip>

namespace kadoru {
namespace {

// Rests the pointer on a widget; the tooltip shown, or nothing when it took none.
std::string hover(QWidget& widget, QPoint place) {
    QHelpEvent event(QEvent::ToolTip, place, widget.mapToGlobal(place));
    QApplication::sendEvent(&widget, &event);
    return event.isAccepted() && QToolTip::isVisible() ? QToolTip::text().toStdString() : "";
}

template <class W> W& child(QWidget& window, const char* name) {
    return *window.findChild<W*>(QString::fromLatin1(name));
}

std::string hover_row(QListView& view, int row) {
    return hover(*view.viewport(), view.visualRect(view.model()->index(row, 0)).center());
}

TEST(SongDetailsInTheWindow, RowsAndTheTotalShowWhatTheSongsSay) {
    const test::ScratchFolder folder;
    test::FakeDrives drives;
    PosixFileSystem fs;
    test::ScriptedMessageBox messages;
    test::FakeEventPump events;
    test::FakeClock clock;
    WindowProgress progress;
    TagLibSongDetails tags;
    SongDetailsCache songs{fs, tags};
    MainViewModel model{drives, fs, "c:", folder.path()};
    MainController controller{model, fs, drives, messages, events, clock, progress, songs};
    Kadoru10 window{model, controller, messages, [] {}};
    drives.add("c:", "/").current = folder.path();
    const std::string tagged = folder.write("2 夜.mp3", test::mp3_bytes(100));
    TagLib::MPEG::File file(tagged.c_str());
    file.ID3v2Tag(true)->setTitle(TagLib::String("夜の歌", TagLib::String::UTF8));
    file.ID3v2Tag()->setTrack(2);
    ASSERT_TRUE(file.save());
    folder.write("10 朝.mp3", test::mp3_bytes(200)); // no tags, a length
    folder.write("1 壊れ.mp3", "not a song at all");
    std::filesystem::create_directories(folder / "app");
    folder.write("app/kadoset.ini", folder.path() + ",c:");

    controller.start_up({folder / "app", ""});
    window.show_song_details(songs);
    test::show_active(window);

    auto& file1 = child<QListView>(window, "File1");
    ASSERT_EQ(model.file1.count(), 3);
    EXPECT_THAT((std::vector{model.file1.row(0), model.file1.row(1), model.file1.row(2)}),
                ::testing::ElementsAre("1 壊れ.mp3", "2 夜.mp3", "10 朝.mp3"));
    EXPECT_EQ(hover_row(file1, 0), "") << "a broken file has no tooltip";
    EXPECT_EQ(hover_row(file1, 1), "タイトル：夜の歌\nトラック：2\n長さ：0:02");

    QTest::mouseClick(&child<QPushButton>(window, "Command6"), Qt::LeftButton);
    ASSERT_EQ(model.list2.count(), 3);
    EXPECT_EQ(model.list2.row(2).name, "10 朝.mp3") << "add all keeps the order shown";
    EXPECT_EQ(hover_row(child<QListView>(window, "List2"), 2), "長さ：0:05");
    EXPECT_EQ(hover(child<QLabel>(window, "Label7"), {5, 5}),
              "合計再生時間：0:07\n（長さの分からない 1 曲を除く）");
    EXPECT_TRUE(messages.shown.empty());
    QToolTip::hideText();
}

} // namespace
} // namespace kadoru
