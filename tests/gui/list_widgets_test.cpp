#include "browse/list_input.h"
#include "browse/widgets/type_combo.h"
#include "fakes/fake_drives.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_ui.h"
#include "gui_test_support.h"
#include "platform/widgets/drive_combo.h"
#include "platform/widgets/file_list_view.h"
#include "platform/widgets/folder_tree.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include <QLineEdit>

namespace kadoru {
namespace {

using kadoru::test::click_row;
using kadoru::test::double_click_row;
using kadoru::test::selected_rows;
using kadoru::test::show_active;
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
    static std::vector<std::string> items(const QComboBox& combo) {
        std::vector<std::string> texts;
        texts.reserve(static_cast<std::size_t>(combo.count()));
        for (int i = 0; i < combo.count(); ++i)
            texts.push_back(combo.itemText(i).toStdString());
        return texts;
    }

    std::vector<std::string> calls;
    test::FakeDrives drives;
    test::FakeFileSystem fs;
    test::ScriptedMessageBox box;
    QWidget host;
};

TEST_F(ListWidgets, DriveSelectorShowsTheDrivesPresentAndFollowsItsModel) {
    drives.add("f:", "/mnt/x").label.clear();
    DriveSelector selector(drives, "e:");
    ListInput input({&selector});
    DriveCombo combo(selector, DriveSide::source, input, box, &host);
    EXPECT_THAT(items(combo), ElementsAre("c: [SYSTEM]", "e: [PLAYER]", "f:"));
    EXPECT_EQ(combo.currentText(), QStringLiteral("e: [PLAYER]"));
    selector.assign("/mnt/x/y");
    EXPECT_EQ(combo.currentText(), QStringLiteral("f:"));

    // Opening the list reads the drives anew.
    drives.add("g:", "/media/new").label = "NEW";
    drives.drives["e:"].ready = false;
    show_active(host);
    combo.showPopup();
    const auto relisted = items(combo);
    combo.hidePopup();
    EXPECT_THAT(relisted, ElementsAre("c: [SYSTEM]", "f:", "g: [NEW]"));
}

struct PickCase {
    const char* what;
    std::function<void(DriveSelector&, test::FakeDrives&)> arrange;
    const char* drive_after;
    std::vector<std::string> messages;
};

TEST_F(ListWidgets, PickingADriveAssignsItAndShowsWhereTheProcessingLeftIt) {
    const std::vector<PickCase> cases = {
        {"plain", [](DriveSelector&, test::FakeDrives&) {}, "e:", {}},
        {"processing goes back",
         [](DriveSelector& s, test::FakeDrives&) {
             s.on_change = [&s] {
                 if (s.drive() == "e:")
                     s.assign("c:");
             };
         },
         "c:",
         {}},
        {"drive gone since listed",
         [](DriveSelector&, test::FakeDrives& d) { d.drives.erase("e:"); },
         "c:",
         {"Error：68で異常終了しました"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        box.shown.clear();
        DriveSelector selector(drives, "c:");
        int changes = 0;
        selector.on_change = [&] { ++changes; };
        ListInput input({&selector});
        DriveCombo combo(selector, DriveSide::source, input, box, &host);
        c.arrange(selector, drives);
        show_active(host);
        combo.setFocus();
        QTest::keyClick(&combo, Qt::Key_Down);
        EXPECT_EQ(selector.drive(), c.drive_after);
        EXPECT_EQ(combo.currentData().toString().toStdString(), c.drive_after);
        EXPECT_EQ(box.texts(), c.messages);
        EXPECT_EQ(changes, std::string(c.what) == "plain" ? 1 : 0);
    }
}

std::vector<std::string> rows_of(const QTreeWidget& tree) {
    std::vector<std::string> rows;
    for (auto* item = tree.topLevelItem(0); item != nullptr; item = tree.itemBelow(item)) {
        int depth = 0;
        for (auto* up = item->parent(); up != nullptr; up = up->parent())
            ++depth;
        rows.push_back(std::string(static_cast<std::size_t>(depth), ' ') +
                       item->text(0).toStdString());
    }
    return rows;
}

TEST_F(ListWidgets, FolderListShowsTheFoldersAboveIndentedAndTheFoldersIn) {
    FolderList folders(drives, fs, "/home/u/Music");
    ListInput input({.dir1 = &folders});
    const FolderTree tree(folders, input, box, &host);
    EXPECT_THAT(rows_of(tree), ElementsAre("/", " home", "  u", "   Music", "    Ambient",
                                           "    jazz", "    Rock"));
    EXPECT_EQ(tree.currentItem()->text(0), QStringLiteral("Music"));
    folders.assign("/media/card"); // another drive starts at its own root
    EXPECT_THAT(rows_of(tree), ElementsAre("/media/card", " sub"));
}

TEST_F(ListWidgets, OpeningAFolderMakesItCurrentOrSaysWhyNot) {
    fs.remove_folder("/home/u/Music/Rock");
    const std::vector<std::pair<std::function<void(FolderTree&)>, const char*>> cases = {
        {[](FolderTree& tree) { // double-click on "jazz"
             const QPoint at =
                 tree.visualItemRect(tree.itemBelow(tree.itemBelow(tree.currentItem()))).center();
             QTest::mouseClick(tree.viewport(), Qt::LeftButton, Qt::NoModifier, at);
             QTest::mouseDClick(tree.viewport(), Qt::LeftButton, Qt::NoModifier, at);
         },
         "/home/u/Music/jazz"},
        {[](FolderTree& tree) {
             QTest::keyClick(&tree, Qt::Key_Up), QTest::keyClick(&tree, Qt::Key_Space);
         },
         "/home/u"},
        {[](FolderTree& tree) {
             QTest::keyClick(&tree, Qt::Key_End), QTest::keyClick(&tree, Qt::Key_Space);
         },
         "Error：76で異常終了しました"}, // "Rock" is gone since it was listed
    };
    for (const auto& [open, expected] : cases) {
        SCOPED_TRACE(expected);
        box.shown.clear();
        FolderList folders(drives, fs, "/home/u/Music");
        std::vector<std::string> changes;
        folders.on_change = [&] { changes.push_back(folders.path()); };
        ListInput input({.dir1 = &folders});
        FolderTree tree(folders, input, box, &host);
        show_active(host);
        tree.setFocus();
        open(tree);
        const bool fails = box.shown.size() == 1;
        EXPECT_EQ(fails ? box.shown[0].text : changes.at(0), expected);
        EXPECT_EQ(changes.size(), fails ? 0U : 1U);
        EXPECT_EQ(tree.currentItem()->data(0, Qt::UserRole).toString().toStdString(),
                  folders.path());
    }
}

class FileListWidget : public ListWidgets {
protected:
    FileListWidget() : files(fs), input({.file1 = &files}), view(files, input, box, &host) {
        files.show("/home/u/Music", "*.MP3");
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
    ListInput input;
    FileListView view;
};

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

TEST_F(FileListWidget, ANewListingIsShownWithoutTheOldSelection) {
    EXPECT_EQ(view.model()->index(1, 0).data().toString(), QStringLiteral("b.MP3"));
    click_row(view, 0);
    click_row(view, 1, Qt::ControlModifier);
    calls.clear();
    files.show("/home/u/Music", "*.wav");
    ASSERT_EQ(view.model()->rowCount(), 1);
    EXPECT_EQ(view.model()->index(0, 0).data().toString(), QStringLiteral("d.wav"));
    EXPECT_THAT(selected_rows(view), IsEmpty());
    EXPECT_THAT(calls, IsEmpty()); // the program's own change is no click
}

class TypeSelectorWidget : public ListWidgets {
protected:
    TypeSelectorWidget() : input({.combo_ftype = &selector}), combo(selector, input, box, &host) {
        for (const char* item : {"MP3", "WMA", "WAV"})
            selector.add_item(item);
        selector.on_click = [this] { calls.push_back("click " + selector.text()); };
        show_active(host);
        combo.setFocus();
    }
    TypeSelector selector;
    ListInput input;
    TypeCombo combo;
};

TEST_F(TypeSelectorWidget, PickingAnItemChoosesItAndTheProgramsTextIsShown) {
    EXPECT_EQ(combo.currentText(), QStringLiteral("MP3"));
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_THAT(calls, ElementsAre("click WMA"));
    EXPECT_EQ(combo.currentText(), QStringLiteral("WMA"));
    selector.set_text("MP3");
    EXPECT_EQ(combo.currentText(), QStringLiteral("MP3"));
}

} // namespace
} // namespace kadoru
