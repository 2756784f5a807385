#include "fakes/fake_drives.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_ui.h"
#include "gui_test_support.h"
#include "platform/drive_selector.h"
#include "platform/file_list.h"
#include "platform/folder_list.h"
#include "platform/type_selector.h"
#include "platform/widgets/drive_combo.h"
#include "platform/widgets/file_list_view.h"
#include "platform/widgets/folder_tree.h"
#include "platform/widgets/type_combo.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include <QLineEdit>
#include <QTreeWidget>

namespace kadoru {
namespace {

using kadoru::fakes::FakeDrives;
using kadoru::fakes::FakeFileSystem;
using kadoru::fakes::ScriptedMessageBox;
using kadoru::testing::click_row;
using kadoru::testing::double_click_row;
using kadoru::testing::selected_rows;
using kadoru::testing::show_active;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ListWidgets : public ::testing::Test {
protected:
    ListWidgets() {
        drives.add("c:", "/").label = "SYSTEM";
        drives.add("e:", "/media/card").label = "PLAYER";
        for (const char* folder : {"/home/u/Music/Rock", "/home/u/Music/jazz",
                                   "/home/u/Music/Ambient", "/media/card/sub"})
            fs.add_folder(folder);
        for (const char* file : {"c.mp3", "A.mp3", "b.MP3", "d.wav", "e.mp3"})
            fs.add_file(std::string("/home/u/Music/") + file, 1000);
        host.resize(300, 300);
    }

    std::vector<std::string> calls;
    FakeDrives drives;
    FakeFileSystem fs;
    ScriptedMessageBox box;
    QWidget host;
};

// ---- drive selector ----------------------------------------------------------

TEST_F(ListWidgets, DriveSelectorShowsEachDriveWithItsLabelAndTheSelection) {
    drives.add("f:", "/mnt/x").label.clear();
    DriveSelector selector(drives, "e:");
    const DriveCombo combo(selector, box, &host);
    ASSERT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemText(0), QStringLiteral("c: [SYSTEM]"));
    EXPECT_EQ(combo.itemText(1), QStringLiteral("e: [PLAYER]"));
    EXPECT_EQ(combo.itemText(2), QStringLiteral("f:"));
    EXPECT_EQ(combo.currentText(), QStringLiteral("e: [PLAYER]"));
}

TEST_F(ListWidgets, DriveSelectorListsTheDrivesPresentWhenItOpens) {
    DriveSelector selector(drives, "c:");
    DriveCombo combo(selector, box, &host);
    show_active(host);
    drives.add("g:", "/media/new").label = "NEW";
    drives.drives["e:"].ready = false;
    combo.showPopup();
    std::vector<QString> shown;
    shown.reserve(static_cast<std::size_t>(combo.count()));
    for (int i = 0; i < combo.count(); ++i)
        shown.push_back(combo.itemText(i));
    combo.hidePopup();
    EXPECT_THAT(shown, ElementsAre(QStringLiteral("c: [SYSTEM]"), QStringLiteral("g: [NEW]")));
}

TEST_F(ListWidgets, PickingADriveAssignsItAndRunsTheChangeProcessing) {
    DriveSelector selector(drives, "c:");
    selector.on_change = [&] { calls.push_back("change " + selector.drive()); };
    DriveCombo combo(selector, box, &host);
    show_active(host);
    combo.setFocus();
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_EQ(selector.drive(), "e:");
    EXPECT_THAT(calls, ElementsAre("change e:"));
    EXPECT_THAT(box.shown, IsEmpty());
}

TEST_F(ListWidgets, DriveSelectorShowsWhereTheChangeProcessingWentBack) {
    // The change processing of a drive that is not ready returns to another drive.
    DriveSelector selector(drives, "c:");
    selector.on_change = [&] {
        if (selector.drive() == "e:")
            selector.assign("c:");
    };
    DriveCombo combo(selector, box, &host);
    show_active(host);
    combo.setFocus();
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_EQ(selector.drive(), "c:");
    EXPECT_EQ(combo.currentText(), QStringLiteral("c: [SYSTEM]"));
}

TEST_F(ListWidgets, AFailedPickIsShownAndTheSelectionStays) {
    DriveSelector selector(drives, "c:");
    DriveCombo combo(selector, box, &host);
    drives.drives.erase("e:"); // gone since the list was drawn: no such drive any more
    show_active(host);
    combo.setFocus();
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_EQ(selector.drive(), "c:");
    ASSERT_EQ(box.shown.size(), 1U);
    EXPECT_EQ(box.shown[0].text, "Error：68で異常終了しました");
    EXPECT_EQ(box.shown[0].title, "Kadoru");
    EXPECT_EQ(combo.currentText(), QStringLiteral("c: [SYSTEM]"));
}

TEST_F(ListWidgets, DriveSelectorFollowsTheProgramsAssignments) {
    DriveSelector selector(drives, "c:");
    const DriveCombo combo(selector, box, &host);
    selector.assign("/media/card/sub");
    EXPECT_EQ(combo.currentText(), QStringLiteral("e: [PLAYER]"));
}

// ---- folder list -------------------------------------------------------------

struct Row {
    std::string text;
    int depth;
    friend bool operator==(const Row&, const Row&) = default;
    friend void PrintTo(const Row& r, std::ostream* os) { *os << r.text << "@" << r.depth; }
};

std::vector<Row> rows_of(const QTreeWidget& tree) {
    std::vector<Row> rows;
    for (auto* item = tree.topLevelItem(0); item != nullptr; item = tree.itemBelow(item)) {
        int depth = 0;
        for (auto* up = item->parent(); up != nullptr; up = up->parent())
            ++depth;
        rows.push_back({item->text(0).toStdString(), depth});
    }
    return rows;
}

TEST_F(ListWidgets, FolderListShowsTheFoldersAboveIndentedAndTheFoldersIn) {
    FolderList folders(drives, fs, "/home/u/Music");
    const FolderTree tree(folders, box, &host);
    EXPECT_THAT(rows_of(tree),
                ElementsAre(Row{"/", 0}, Row{"home", 1}, Row{"u", 2}, Row{"Music", 3},
                            Row{"Ambient", 4}, Row{"jazz", 4}, Row{"Rock", 4}));
    EXPECT_EQ(tree.currentItem()->text(0), QStringLiteral("Music"));
}

TEST_F(ListWidgets, FolderListOnAnotherDriveStartsAtThatDrivesRoot) {
    FolderList folders(drives, fs, "/media/card");
    const FolderTree tree(folders, box, &host);
    EXPECT_THAT(rows_of(tree), ElementsAre(Row{"/media/card", 0}, Row{"sub", 1}));
}

TEST_F(ListWidgets, OpeningAFolderRowMakesItCurrent) {
    struct Case {
        const char* how;
        const char* expected;
    };
    for (const Case c : {Case{"double-click", "/home/u/Music/jazz"}, Case{"enter", "/home/u"}}) {
        SCOPED_TRACE(c.how);
        FolderList folders(drives, fs, "/home/u/Music");
        std::vector<std::string> changes;
        folders.on_change = [&] { changes.push_back(folders.path()); };
        FolderTree tree(folders, box, &host);
        show_active(host);
        tree.setFocus();
        if (std::string(c.how) == "enter") {
            QTest::keyClick(&tree, Qt::Key_Up);
            QTest::keyClick(&tree, Qt::Key_Return);
        } else {
            const auto* jazz = tree.itemBelow(tree.itemBelow(tree.currentItem()));
            const QPoint at = tree.visualItemRect(jazz).center();
            QTest::mouseClick(tree.viewport(), Qt::LeftButton, Qt::NoModifier, at);
            QTest::mouseDClick(tree.viewport(), Qt::LeftButton, Qt::NoModifier, at);
        }
        EXPECT_THAT(changes, ElementsAre(c.expected));
        EXPECT_EQ(tree.currentItem()->text(0).toStdString(),
                  std::string(c.expected).substr(std::string(c.expected).rfind('/') + 1));
    }
}

TEST_F(ListWidgets, AFolderThatCannotBeOpenedIsShownAndTheListStays) {
    FolderList folders(drives, fs, "/home/u/Music");
    FolderTree tree(folders, box, &host);
    fs.remove_folder("/home/u/Music/Rock");
    show_active(host);
    tree.setFocus();
    QTest::keyClick(&tree, Qt::Key_End);
    QTest::keyClick(&tree, Qt::Key_Enter);
    EXPECT_EQ(folders.path(), "/home/u/Music");
    ASSERT_EQ(box.shown.size(), 1U);
    EXPECT_EQ(box.shown[0].text, "Error：76で異常終了しました");
}

// ---- file list ---------------------------------------------------------------

class FileListWidget : public ListWidgets {
protected:
    FileListWidget() : files(fs), view(files, box, &host) {
        files.set_pattern("*.MP3");
        files.set_path("/home/u/Music");
        files.on_click = [this] {
            std::string flags;
            for (int i = 0; i < files.count(); ++i)
                flags += files.selected(i) ? '1' : '0';
            calls.push_back("click " + flags);
        };
        files.on_double_click = [this] { calls.emplace_back("double-click"); };
        show_active(host);
        view.setFocus();
    }
    FileList files;
    FileListView view;
};

TEST_F(FileListWidget, ShowsTheFilesOfTheList) {
    ASSERT_EQ(view.model()->rowCount(), 4);
    std::vector<QString> shown;
    shown.reserve(4);
    for (int i = 0; i < 4; ++i)
        shown.push_back(view.model()->index(i, 0).data().toString());
    EXPECT_THAT(shown, ElementsAre(QStringLiteral("A.mp3"), QStringLiteral("b.MP3"),
                                   QStringLiteral("c.mp3"), QStringLiteral("e.mp3")));
}

TEST_F(FileListWidget, EachClickWritesTheSelectionBackThenRunsTheClickOnce) {
    click_row(view, 1);
    click_row(view, 3, Qt::ControlModifier);
    click_row(view, 2, Qt::ShiftModifier);   // from the last Ctrl-click up to here
    click_row(view, 3, Qt::ControlModifier); // drops a row again
    click_row(view, 1);                      // selects just this row
    click_row(view, 1);                      // a click that changes nothing still counts
    EXPECT_THAT(calls, ElementsAre("click 0100", "click 0101", "click 0111", "click 0110",
                                   "click 0100", "click 0100"));
}

TEST_F(FileListWidget, ADoubleClickRunsTheClickThenTheDoubleClickOnTheRowUnderThePointer) {
    click_row(view, 0);
    calls.clear();
    double_click_row(view, 2);
    EXPECT_THAT(calls, ElementsAre("click 0010", "click 0010", "double-click"));
    click_row(view, 3); // the next single click is a click again
    EXPECT_EQ(calls.back(), "click 0001");
}

TEST_F(FileListWidget, SelectingWithTheKeyboardCountsAsAClick) {
    click_row(view, 0);
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_THAT(calls, ElementsAre("click 1000", "click 1100", "click 1111"));
}

TEST_F(FileListWidget, ANewListingDropsTheSelection) {
    click_row(view, 0);
    click_row(view, 1, Qt::ControlModifier);
    calls.clear();
    files.set_pattern("*.wav");
    EXPECT_EQ(view.model()->rowCount(), 1);
    EXPECT_THAT(selected_rows(view), IsEmpty());
    EXPECT_THAT(calls, IsEmpty()); // the program's own change is no click
}

// ---- type selector -----------------------------------------------------------

class TypeSelectorWidget : public ListWidgets {
protected:
    TypeSelectorWidget() : combo(selector, box, &host) {
        for (const char* item : {"MP3", "WMA", "WAV"})
            selector.add_item(item);
        selector.on_click = [this] { calls.push_back("click " + selector.text()); };
        show_active(host);
        combo.setFocus();
    }
    TypeSelector selector;
    TypeCombo combo;
};

TEST_F(TypeSelectorWidget, ShowsTheItemsAndTheText) {
    EXPECT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemText(2), QStringLiteral("WAV"));
    EXPECT_EQ(combo.currentText(), QStringLiteral("MP3"));
    selector.set_text("WMA");
    EXPECT_EQ(combo.currentText(), QStringLiteral("WMA"));
}

TEST_F(TypeSelectorWidget, TypingChangesTheTextAndRunsNothingNotEvenEnter) {
    combo.lineEdit()->selectAll();
    QTest::keyClicks(combo.lineEdit(), QStringLiteral("wav"));
    QTest::keyClick(combo.lineEdit(), Qt::Key_Return);
    EXPECT_EQ(selector.text(), "wav");
    EXPECT_EQ(combo.currentText(), QStringLiteral("wav"));
    EXPECT_THAT(calls, IsEmpty());
    EXPECT_EQ(combo.count(), 3); // nothing typed becomes an item
}

TEST_F(TypeSelectorWidget, PickingAnItemChoosesIt) {
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_THAT(calls, ElementsAre("click WMA"));
    EXPECT_EQ(combo.currentText(), QStringLiteral("WMA"));
}

} // namespace
} // namespace kadoru
