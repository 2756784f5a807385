#include "app/widgets/japanese_ui.h"
#include "app/widgets/kadoru10.h"
#include "browse/list_input.h"
#include "card/widgets/card_order_window.h"
#include "fakes/fake_drives.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_ui.h"
#include "gui_test_support.h"
#include "platform/failure.h"
#include "platform/widgets/qt_place.h"
#include "platform/widgets/qt_text.h"

#include <array>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <QTreeWidget>

namespace kadoru {
namespace {

using kadoru::test::show_active;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// Records which action each input ran; fail_with makes the next one fail. The
// lists' input goes into the model through the logic's event rules.
class RecordingActions final : public WithListInput<MainIntents> {
public:
    explicit RecordingActions(MainViewModel& model)
        : WithListInput(
              {&model.drive1, &model.drive2, &model.dir1, &model.file1, &model.combo_ftype}),
          model(model) {}
    MainViewModel& model;
    void list_rows_selected(const std::vector<int>& rows) override {
        model.list2.set_selection(rows);
    }
    void list_current_row(int row) override { model.list2.set_list_index(row); }

    std::vector<std::string> calls;
    int fail_with = 0;

    void start() override { record("start"); }
    void close() override { record("close"); }
    void end() override { record("end"); }
    void add() override { record("add"); }
    void add_all() override { record("add_all"); }
    void remove() override { record("remove"); }
    void clear() override { record("clear"); }
    void move_up() override { record("move_up"); }
    void move_down() override { record("move_down"); }
    void refresh() override { record("refresh"); }
    CardOrder card_order() override {
        record("card_order");
        if (!order)
            throw Failure(failure_code::disk_not_ready).on_drive("e:");
        return *order;
    }
    std::optional<CardOrder> order;
    bool can_eject() const override { return ejectable; }
    void eject_card() override { record("eject_card"); }
    bool ejectable = false;
    bool can_arrange(const CardOrder& order) const override {
        return arrangeable && order.as_stored;
    }
    void arrange_card(const CardOrder& /*order*/, const std::vector<std::string>& names,
                      const ArrangeProgress& progress) override {
        std::string call = "arrange_card";
        for (const auto& name : names)
            call += " " + name;
        progress(1, 1);
        record(call);
    }
    void sort_songs_by_track(CardArranging& /*songs*/) override { record("sort_songs_by_track"); }
    bool arrangeable = false;
    bool list_editable() const override { return true; }
    void move_selected_to(int to) override { record("move_selected_to " + std::to_string(to)); }
    void add_dropped(const std::vector<std::string>& /*paths*/) override { record("add_dropped"); }
    void add_playlist(const std::string& path) override { record("add_playlist " + path); }
    void save_playlist(const std::string& path) override { record("save_playlist " + path); }
    void sort_by_name() override { record("sort_by_name"); }
    void sort_by_track() override { record("sort_by_track"); }
    void shuffle() override { record("shuffle"); }

private:
    void record(std::string name) {
        calls.push_back(std::move(name));
        if (fail_with != 0)
            throw Failure(std::exchange(fail_with, 0));
    }
};

class MainWindow : public ::testing::Test {
protected:
    MainWindow()
        : model(drives, fs, "c:", "/"), actions(model),
          window(model, actions, box, [this] { ++ended; }) {
        drives.add("c:", "/");
        for (const char* item : {"MP3", "WMA", "WAV"})
            model.combo_ftype.add_item(item);
    }

    template <class W = QWidget> W& control(const char* name) {
        auto* found = window.findChild<W*>(QString::fromLatin1(name));
        if (found == nullptr)
            throw std::runtime_error(std::string("no control ") + name);
        return *found;
    }
    // The control holding the focus (a combo box for its own line edit).
    std::string focused() const {
        for (QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget())
            if (w->parentWidget() == &window)
                return w->objectName().toStdString();
        return "(none)";
    }

    test::FakeDrives drives;
    test::FakeFileSystem fs;
    test::ScriptedMessageBox box;
    int ended = 0;
    MainViewModel model;
    RecordingActions actions;
    Kadoru10 window;
};

TEST_F(MainWindow, EveryControlHasItsPlaceCaptionAndName) {
    EXPECT_EQ(window.objectName(), QStringLiteral("kadoru10"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Kadoru"));
    EXPECT_EQ(window.size(), QSize(488, 400));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    for (const auto& c : main_controls) {
        const std::string name(c.name);
        SCOPED_TRACE(name);
        QWidget& w = control(name.c_str());
        EXPECT_EQ(w.geometry(), qt_rect(c.place));
        const std::string_view listed = caption_of(c.name);
        const std::string_view expected = listed.empty() ? c.caption : listed;
        const QString text = qt_text(expected);
        if (auto* label = qobject_cast<QLabel*>(&w)) {
            EXPECT_EQ(label->text(), text); // the value labels are empty at start
            EXPECT_LE(w.fontMetrics().horizontalAdvance(text), w.width()) << "clipped";
            EXPECT_LE(w.font().pixelSize(), w.height());
        } else if (auto* button = qobject_cast<QPushButton*>(&w);
                   button && button->icon().isNull()) {
            EXPECT_EQ(button->text(), text);
            EXPECT_LE(w.fontMetrics().horizontalAdvance(text), w.contentsRect().width());
        } else {
            EXPECT_EQ(w.accessibleName(), text);
        }
    }
    EXPECT_EQ(control("Command4").toolTip(), QStringLiteral("１つ上に移動します"));
    EXPECT_EQ(control("Command5").toolTip(), QStringLiteral("１つ下に移動します"));
    // No other widget: the two hidden lists are no widgets at all.
    EXPECT_EQ(window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(),
              main_controls.size());
}

TEST_F(MainWindow, ValueLabelsShowTheirModels) {
    const std::array<std::pair<Label*, const char*>, 4> labels{{{&model.label7, "Label7"},
                                                                {&model.label8, "Label8"},
                                                                {&model.label9, "Label9"},
                                                                {&model.label11, "Label11"}}};
    for (const auto& [label, name] : labels) {
        label->set_text(name);
        EXPECT_EQ(control<QLabel>(name).text(), QString::fromLatin1(name));
    }
}

TEST_F(MainWindow, TabGoesThroughTheControlsInTheirOrderAndRoundAgain) {
    show_active(window);
    EXPECT_EQ(focused(), "Drive1"); // where the focus is when the window is first shown
    const std::vector<std::string> order = {"b_ok",        "b_cancel", "Dir1",     "Drive2",
                                            "List2",       "Command1", "Command3", "Command2",
                                            "File1",       "Command4", "Command5", "Command6",
                                            "Combo_ftype", "Command7", "Drive1"};
    std::vector<std::string> forward;
    std::vector<std::string> back;
    for (std::size_t i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        forward.push_back(focused());
    }
    for (std::size_t i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        back.push_back(focused());
    }
    EXPECT_THAT(forward, ElementsAreArray(order));
    std::vector<std::string> reversed(order.rbegin() + 1, order.rend());
    reversed.emplace_back("Drive1");
    EXPECT_THAT(back, ElementsAreArray(reversed));
}

struct KeyCase {
    const char* focus;
    Qt::Key key;
    std::vector<std::string> calls;
};

TEST_F(MainWindow, EnterPressesStartUnlessAButtonHasTheFocusAndEscapeCloses) {
    const std::vector<KeyCase> cases = {
        {"List2", Qt::Key_Return, {"start"}},
        {"File1", Qt::Key_Enter, {"start"}},
        {"Drive2", Qt::Key_Return, {"start"}},
        {"Combo_ftype", Qt::Key_Return, {"start"}},
        {"Command1", Qt::Key_Return, {"add"}},
        {"Command5", Qt::Key_Enter, {"move_down"}},
        {"b_cancel", Qt::Key_Return, {"close"}},
        {"List2", Qt::Key_Escape, {"close"}},
        {"Command1", Qt::Key_Escape, {"close"}},
        {"Dir1", Qt::Key_Return, {"start"}},
        {"Dir1", Qt::Key_Space, {}}, // opens the highlighted folder instead
    };
    show_active(window);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.focus) + " " + std::to_string(c.key));
        actions.calls.clear();
        ended = 0;
        control(c.focus).setFocus();
        QTest::keyClick(QApplication::focusWidget(), c.key);
        EXPECT_EQ(actions.calls, c.calls);
        EXPECT_EQ(ended, c.calls == std::vector<std::string>{"close"} ? 1 : 0);
        EXPECT_TRUE(window.isVisible());
    }
}

TEST_F(MainWindow, TypingATypeAndEnterDoesNotChooseIt) {
    int chosen = 0;
    model.combo_ftype.on_click = [&] { ++chosen; };
    show_active(window);
    auto& combo = control<QComboBox>("Combo_ftype");
    combo.setFocus();
    combo.lineEdit()->selectAll();
    QTest::keyClicks(combo.lineEdit(), QStringLiteral("wma"));
    QTest::keyClick(combo.lineEdit(), Qt::Key_Return);
    EXPECT_EQ(model.combo_ftype.text(), "wma");
    EXPECT_EQ(chosen, 0);
    EXPECT_EQ(combo.count(), 3); // nothing typed became an item
    EXPECT_THAT(actions.calls, ElementsAre("start"));
}

TEST_F(MainWindow, EnterInTheFolderListPressesStartAndOpensNothing) {
    for (const char* folder : {"/music", "/other"})
        fs.add_folder(folder);
    model.dir1.assign("/music");
    model.dir1.assign("/"); // listed again, with its two folders
    show_active(window);
    auto& dir1 = control<QTreeWidget>("Dir1");
    dir1.setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down); // highlights "music"
    ASSERT_EQ(dir1.currentItem()->text(0), QStringLiteral("music"));
    for (const Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter}) {
        actions.calls.clear();
        QTest::keyClick(QApplication::focusWidget(), enter);
        EXPECT_THAT(actions.calls, ElementsAre("start"));
        EXPECT_EQ(model.dir1.path(), "/");
    }

    // The space bar and a double-click still open the highlighted folder.
    actions.calls.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(model.dir1.path(), "/music");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    const QPoint at = dir1.visualItemRect(dir1.currentItem()).center();
    QTest::mouseClick(dir1.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(dir1.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(model.dir1.path(), "/");
    EXPECT_THAT(actions.calls, IsEmpty());
}

TEST_F(MainWindow, TypingAnItemsExactTextRunsNothingOnlyAPickFromTheListDoes) {
    std::vector<std::string> clicks;
    model.combo_ftype.on_click = [&] { clicks.push_back(model.combo_ftype.text()); };
    show_active(window);
    auto& combo = control<QComboBox>("Combo_ftype");
    for (const Qt::Key end : {Qt::Key_Return, Qt::Key_Tab}) {
        SCOPED_TRACE(end);
        combo.setFocus();
        combo.lineEdit()->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("WAV"));
        QTest::keyClick(QApplication::focusWidget(), end);
        EXPECT_EQ(model.combo_ftype.text(), "WAV");
        EXPECT_THAT(clicks, IsEmpty());
    }
    EXPECT_EQ(focused(), "Command7"); // Tab went on, as from any control

    combo.setFocus();
    combo.showPopup();
    QTest::keyClick(combo.view(), Qt::Key_Up); // from "WAV" to "WMA" in the open list
    QTest::keyClick(combo.view(), Qt::Key_Return);
    EXPECT_THAT(clicks, ElementsAre("WMA"));
    EXPECT_THAT(actions.calls, ElementsAre("start")); // the typed Enter's
}

TEST_F(MainWindow, EachButtonRunsItsAction) {
    const std::vector<std::pair<const char*, const char*>> buttons = {
        {"b_ok", "start"},         {"Command1", "add"},    {"Command6", "add_all"},
        {"Command2", "remove"},    {"Command3", "clear"},  {"Command4", "move_up"},
        {"Command5", "move_down"}, {"Command7", "refresh"}};
    for (const auto& [name, action] : buttons) {
        actions.calls.clear();
        QTest::mouseClick(&control(name), Qt::LeftButton);
        EXPECT_THAT(actions.calls, ElementsAre(action)) << name;
    }
    EXPECT_EQ(ended, 0);
}

TEST_F(MainWindow, CloseEndsTheProgramEvenWhenSavingFailsAndSaysWhy) {
    actions.fail_with = failure_code::permission_denied;
    QTest::mouseClick(&control("b_cancel"), Qt::LeftButton);
    EXPECT_THAT(actions.calls, ElementsAre("close"));
    ASSERT_THAT(box.texts(), ElementsAre("Error：70で異常終了しました"));
    EXPECT_EQ(box.shown[0].title, "Kadoru");
    EXPECT_EQ(ended, 1);
}

TEST_F(MainWindow, TheWindowsOwnCloseBoxEndsTheProgramAndSavesNothing) {
    show_active(window);
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_THAT(actions.calls, ElementsAre("end"));
    EXPECT_EQ(ended, 1);
}

TEST_F(MainWindow, TheLockDisablesExactlyItsThirteenControlsAndEscapeWithThem) {
    const std::array names{"b_ok",     "b_cancel", "Dir1",       "Drive1",   "Drive2",
                           "File1",    "Command1", "Command6",   "Command2", "Command3",
                           "Command4", "Command5", "Combo_ftype"};
    for (std::size_t i = 0; i < lock_order.size(); ++i) {
        model.controls.set_enabled(lock_order.at(i), false);
        for (const auto& c : main_controls) {
            const std::string name(c.name);
            EXPECT_EQ(control(name.c_str()).isEnabled(), name != names.at(i))
                << name << " with " << names.at(i) << " locked";
        }
        model.controls.set_enabled(lock_order.at(i), true);
    }
    show_active(window);
    control("List2").setFocus();
    model.controls.set_enabled(LockedControl::b_cancel, false);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_THAT(actions.calls, IsEmpty());
    EXPECT_TRUE(window.isVisible());
}

TEST_F(MainWindow, PicturesAreDrawnToTheirSizesAndColours) {
    const QColor grey(191, 191, 191);
    for (const auto& [name, size, top] :
         {std::tuple{"Command4", QSize(17, 20), 191}, std::tuple{"Command5", QSize(16, 22), 223}}) {
        SCOPED_TRACE(name);
        const auto& button = control<QPushButton>(name);
        const QImage image = button.icon().pixmap(size).toImage();
        EXPECT_EQ(button.iconSize(), size);
        ASSERT_EQ(image.size(), size);
        EXPECT_EQ(image.pixelColor(0, 0), QColor(top, top, top));
        EXPECT_EQ(image.pixelColor(0, size.height() - 1), grey);
        // A black shaft three pixels wide down the middle.
        const int x = size.width() / 2;
        const int y = size.height() / 2;
        EXPECT_EQ(image.pixelColor(x - 1, y), QColor(Qt::black));
        EXPECT_EQ(image.pixelColor(x, y), QColor(Qt::black));
        EXPECT_EQ(image.pixelColor(x + 2, y), grey);
        // Locked, the arrow turns grey.
        const QImage locked = button.icon().pixmap(size, QIcon::Disabled).toImage();
        EXPECT_NE(locked.pixelColor(x, y), QColor(Qt::black));
    }
    const QImage icon = window.windowIcon().pixmap(32, 32).toImage();
    ASSERT_EQ(icon.size(), QSize(32, 32));
    std::set<QRgb> colours;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            colours.insert(icon.pixel(x, y));
    EXPECT_LE(colours.size(), 16U);
    EXPECT_TRUE(
        std::all_of(colours.begin(), colours.end(), [](QRgb c) { return qAlpha(c) == 255; }));
    EXPECT_EQ(icon.pixelColor(0, 0), QColor(0, 255, 0));
}

TEST(JapaneseUi, MessageBoxButtonsReadJapaneseAndKanjiHaveAJapaneseFont) {
    const QFont font_before = QApplication::font();
    const QLocale locale_before;
    QTranslator translator;
    ASSERT_TRUE(use_japanese_ui(*qApp, translator)) << "Qt's Japanese translation is missing";
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    const QString yes = box.button(QMessageBox::Yes)->text();
    const QString cancel = box.button(QMessageBox::Cancel)->text();
    const QStringList families = QApplication::font().families();
    QCoreApplication::removeTranslator(&translator);
    QApplication::setFont(font_before);
    QLocale::setDefault(locale_before);
    EXPECT_TRUE(yes.startsWith(QStringLiteral("はい"))) << yes.toStdString();
    EXPECT_EQ(cancel, QStringLiteral("キャンセル"));
    EXPECT_TRUE(families.contains(QStringLiteral("Noto Sans CJK JP")));
}

TEST_F(MainWindow, Drive2sMenuKeysOpenOneOrderWindowThatListsTheCard) {
    show_active(window);
    control("Drive2").setFocus(Qt::OtherFocusReason);
    auto& menu = *control("Drive2").findChild<QMenu*>(QStringLiteral("Drive2Menu"));
    // The menu key arrives as the context-menu event the platform makes of it.
    const std::array<std::function<void(QWidget&)>, 3> keys = {
        [](QWidget& drive2) { QTest::keyClick(&drive2, Qt::Key_F10, Qt::ShiftModifier); },
        [](QWidget& drive2) {
            const QPoint at = drive2.rect().center();
            QContextMenuEvent event(QContextMenuEvent::Keyboard, at, drive2.mapToGlobal(at));
            QApplication::sendEvent(&drive2, &event);
        },
        [](QWidget& drive2) { QTest::keyClick(&drive2, Qt::Key_F10, Qt::ShiftModifier); }};
    for (const auto& press : keys) {
        press(control("Drive2"));
        ASSERT_TRUE(menu.isVisible());
        QTest::keyClick(&menu, Qt::Key_Down);
        QTest::keyClick(&menu, Qt::Key_Return);
        EXPECT_FALSE(menu.isVisible());
        // An order that cannot be read opens no window; the window says why.
        if (!actions.order) {
            EXPECT_TRUE(window.findChildren<CardOrderWindow*>().isEmpty());
            EXPECT_THAT(box.texts(), ElementsAre("ドライブe:の準備が出来ていません"));
            actions.order = CardOrder{
                "e:", {{"B.MP3", "1KB"}, {"a long.mp3", "5.00MB"}, {"MUSIC", "フォルダ"}}, true};
        }
    }

    const auto orders = window.findChildren<CardOrderWindow*>();
    ASSERT_EQ(orders.size(), 1);
    const CardOrderWindow& order = *orders.front();
    EXPECT_TRUE(order.isVisible());
    EXPECT_FALSE(order.isModal());
    EXPECT_EQ(order.windowTitle(), QStringLiteral("カードの中の順序 - e:\\"));
    const auto& list = *order.findChild<QTreeWidget*>();
    EXPECT_EQ(list.accessibleName(), QStringLiteral("カードの中の順序"));
    std::vector<std::string> rows;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        rows.push_back(
            (list.topLevelItem(i)->text(0) + QLatin1Char(' ') + list.topLevelItem(i)->text(1))
                .toStdString());
    EXPECT_THAT(rows, ElementsAre("B.MP3 1KB", "a long.mp3 5.00MB", "MUSIC フォルダ"));
    EXPECT_EQ(order.findChild<QLabel*>(QStringLiteral("card_order_note"))->text().toStdString(),
              card_order_note(*actions.order));
}

// Arranging in the order window: the order's songs alone, moved by the transfer
// list's buttons and sorted by its sortings, then handed to the actions; a run locks
// it, and a card whose stored order cannot be read is not offered it.
TEST_F(MainWindow, TheOrderWindowArrangesTheCardsSongsInTheOrderChosen) {
    actions.arrangeable = true;
    actions.order = CardOrder{"e:",
                              {{"B.MP3", "1KB", 1000, true},
                               {"MUSIC", "フォルダ"},
                               {"c.mp3", "1KB", 1000, true},
                               {"a.mp3", "2KB", 2000, true}},
                              true,
                              "/card"};
    show_active(window);
    control("Drive2").setFocus(Qt::OtherFocusReason);
    auto& menu = *control("Drive2").findChild<QMenu*>(QStringLiteral("Drive2Menu"));
    QTest::keyClick(&control("Drive2"), Qt::Key_F10, Qt::ShiftModifier);
    QTest::keyClick(&menu, Qt::Key_Down);
    QTest::keyClick(&menu, Qt::Key_Return);
    auto& order = *window.findChild<CardOrderWindow*>();
    const auto button = [&](const char* name) -> QPushButton& {
        return *order.findChild<QPushButton*>(QString::fromLatin1(name));
    };
    auto& songs = *order.findChild<QListView*>(QStringLiteral("card_songs"));
    const auto rows = [&] {
        std::vector<std::string> names;
        for (int i = 0; i < songs.model()->rowCount(); ++i)
            names.push_back(songs.model()->index(i, 0).data().toString().toStdString());
        return names;
    };
    ASSERT_TRUE(button("card_arrange").isVisible());
    QTest::mouseClick(&button("card_arrange"), Qt::LeftButton);
    ASSERT_TRUE(songs.isVisible());
    EXPECT_EQ(button("songs_up").accessibleName(), QStringLiteral("１つ上に移動します"));
    EXPECT_THAT(rows(), ElementsAre("B.MP3", "c.mp3", "a.mp3"));

    songs.setCurrentIndex(songs.model()->index(2, 0));
    QTest::mouseClick(&button("songs_up"), Qt::LeftButton);
    EXPECT_THAT(rows(), ElementsAre("B.MP3", "a.mp3", "c.mp3"));
    QTest::mouseClick(&button("songs_by_name"), Qt::LeftButton);
    EXPECT_THAT(rows(), ElementsAre("a.mp3", "B.MP3", "c.mp3"));
    QTest::mouseClick(&button("songs_by_track"), Qt::LeftButton);
    QTest::mouseClick(&button("card_arrange_confirm"), Qt::LeftButton);
    EXPECT_THAT(actions.calls, ElementsAre("card_order", "sort_songs_by_track",
                                           "arrange_card a.mp3 B.MP3 c.mp3", "card_order"));
    EXPECT_FALSE(songs.isVisible()); // the card's order as read afresh

    // A run under way locks the controls, and the arranging with them.
    actions.arrangeable = false;
    model.controls.set_enabled(LockedControl::b_ok, false);
    EXPECT_FALSE(button("card_arrange").isEnabled());
    actions.order->as_stored = false;
    QTest::keyClick(&control("Drive2"), Qt::Key_F10, Qt::ShiftModifier);
    QTest::keyClick(&menu, Qt::Key_Down);
    QTest::keyClick(&menu, Qt::Key_Return);
    EXPECT_FALSE(button("card_arrange").isVisible());
}

// 取り出す is in Drive2's menu only when the card may be removed now.
TEST_F(MainWindow, Drive2sMenuOffersRemovalOnlyWhenTheActionsAllowIt) {
    show_active(window);
    control("Drive2").setFocus(Qt::OtherFocusReason);
    auto& menu = *control("Drive2").findChild<QMenu*>(QStringLiteral("Drive2Menu"));
    auto& eject = *menu.findChild<QAction*>(QStringLiteral("eject_card"));
    EXPECT_EQ(eject.text(), QStringLiteral("取り出す"));
    for (const bool ejectable : {false, true}) {
        actions.ejectable = ejectable;
        QTest::keyClick(&control("Drive2"), Qt::Key_F10, Qt::ShiftModifier);
        ASSERT_TRUE(menu.isVisible());
        EXPECT_EQ(eject.isVisible(), ejectable);
        QTest::keyClick(&menu, Qt::Key_Up); // the last entry offered
        QTest::keyClick(&menu, Qt::Key_Return);
    }
    EXPECT_THAT(actions.calls, ElementsAre("card_order", "eject_card"));
}

} // namespace
} // namespace kadoru
