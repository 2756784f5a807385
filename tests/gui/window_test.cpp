#include "app/japanese_ui.h"
#include "app/kadoru10.h"
#include "app/main_actions.h"
#include "app/main_view_model.h"
#include "fakes/fake_drives.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_ui.h"
#include "gui_test_support.h"
#include "platform/failure.h"

#include <array>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <QTreeWidget>

namespace kadoru {
namespace {

using kadoru::fakes::FakeDrives;
using kadoru::fakes::FakeFileSystem;
using kadoru::fakes::ScriptedMessageBox;
using kadoru::testing::show_active;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// Records which action each input ran.
class RecordingActions final : public MainActions {
public:
    std::vector<std::string> calls;
    // Thrown by the next action, as a failing platform operation would.
    int fail_with = 0;

    void start() override { record("start"); }
    void close() override { record("close"); }
    void add() override { record("add"); }
    void add_all() override { record("add_all"); }
    void remove() override { record("remove"); }
    void clear() override { record("clear"); }
    void move_up() override { record("move_up"); }
    void move_down() override { record("move_down"); }
    void refresh() override { record("refresh"); }

private:
    void record(const char* name) {
        calls.emplace_back(name);
        if (fail_with != 0)
            throw Failure(std::exchange(fail_with, 0));
    }
};

class MainWindow : public ::testing::Test {
protected:
    MainWindow()
        : model(drives, fs, "c:", "/music"), window(model, actions, box, [this] { ++ended; }) {
        model.file1.set_path("/music");
        for (const char* item : {"MP3", "WMA", "WAV"})
            model.combo_ftype.add_item(item);
    }

    template <class W = QWidget> W& control(const char* name) {
        auto* found = window.findChild<W*>(QString::fromLatin1(name));
        if (found == nullptr)
            throw std::runtime_error(std::string("no control ") + name);
        return *found;
    }
    // The named control that holds the focus (the line edit of a combo box is its combo box).
    std::string focused() const {
        for (QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget())
            if (!w->objectName().isEmpty() && w != &window && w->parentWidget() == &window)
                return w->objectName().toStdString();
        return "(none)";
    }

    static FakeDrives make_drives() {
        FakeDrives d;
        d.add("c:", "/");
        return d;
    }
    static FakeFileSystem make_fs() {
        FakeFileSystem f;
        f.add_file("/music/a.mp3", 1);
        f.add_file("/music/b.mp3", 2);
        return f;
    }

    FakeDrives drives = make_drives();
    FakeFileSystem fs = make_fs();
    ScriptedMessageBox box;
    RecordingActions actions;
    int ended = 0;
    MainViewModel model;
    Kadoru10 window;
};

struct Placed {
    const char* name;
    QRect place;
};

constexpr auto layout = std::to_array<Placed>({
    {"Label1", {32, 8, 65, 17}},         {"Label2", {264, 8, 79, 17}},
    {"Dir1", {24, 24, 209, 118}},        {"Drive1", {264, 24, 89, 20}},
    {"Command7", {375, 24, 64, 21}},     {"Label6", {264, 56, 85, 17}},
    {"Label10", {362, 65, 57, 13}},      {"Label11", {394, 65, 67, 15}},
    {"Drive2", {264, 72, 89, 20}},       {"Label5", {362, 81, 57, 17}},
    {"Label8", {414, 81, 59, 15}},       {"Label12", {264, 104, 85, 17}},
    {"Combo_ftype", {264, 120, 89, 20}}, {"Label3", {24, 152, 89, 17}},
    {"Label9", {128, 152, 97, 17}},      {"Label4", {256, 152, 65, 17}},
    {"Label7", {344, 152, 113, 17}},     {"File1", {24, 168, 209, 138}},
    {"List2", {256, 168, 209, 136}},     {"Command1", {48, 312, 65, 25}},
    {"Command6", {120, 312, 65, 25}},    {"Command4", {272, 312, 25, 25}},
    {"Command5", {296, 312, 25, 25}},    {"Command2", {328, 312, 65, 25}},
    {"Command3", {400, 312, 57, 25}},    {"b_ok", {168, 360, 81, 25}},
    {"b_cancel", {264, 360, 81, 25}},
});

TEST_F(MainWindow, EveryControlHasItsPlaceInAFixedClientArea) {
    EXPECT_EQ(window.objectName(), QStringLiteral("kadoru10"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Kadoru"));
    EXPECT_EQ(window.size(), QSize(488, 400));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    for (const auto& [name, place] : layout) {
        SCOPED_TRACE(name);
        EXPECT_EQ(control(name).geometry(), place);
    }
    // Every child widget of the window is one of the controls: the hidden lists have none.
    std::set<QString> named;
    for (const auto* w : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        named.insert(w->objectName());
    EXPECT_EQ(named.size(), layout.size());
    EXPECT_EQ(window.findChild<QWidget*>(QStringLiteral("List_hide")), nullptr);
}

struct Captioned {
    const char* name;
    const char* text;
};

constexpr auto captions = std::to_array<Captioned>({
    {"Label1", "フォルダ"},
    {"Label2", "転送元ドライブ"},
    {"Label6", "転送先ドライブ"},
    {"Label10", "容量："},
    {"Label5", "空き領域："},
    {"Label12", "ファイルの種類"},
    {"Label3", "ファイルリスト"},
    {"Label4", "転送リスト"},
    {"Command7", "更新"},
    {"Command1", "追加"},
    {"Command6", "全て追加"},
    {"Command2", "削除"},
    {"Command3", "全消去"},
    {"b_ok", "Start"},
    {"b_cancel", "Close"},
    {"Command4", ""},
    {"Command5", ""},
    {"Label7", ""},
    {"Label8", ""},
    {"Label9", ""},
    {"Label11", ""},
});

QString text_of(const QWidget& w) {
    if (const auto* label = qobject_cast<const QLabel*>(&w))
        return label->text();
    return qobject_cast<const QAbstractButton*>(&w)->text();
}

TEST_F(MainWindow, CaptionsAreExactAndFitTheirControls) {
    for (const auto& [name, text] : captions) {
        SCOPED_TRACE(name);
        const QWidget& w = control(name);
        EXPECT_EQ(text_of(w), QString::fromUtf8(text));
        EXPECT_LE(w.fontMetrics().horizontalAdvance(text_of(w)), w.contentsRect().width());
        EXPECT_LE(w.font().pixelSize(), w.height());
    }
}

TEST_F(MainWindow, ValueLabelsShowTheirModelsAndStartEmpty) {
    const std::array models{&model.label7, &model.label8, &model.label9, &model.label11};
    const std::array names{"Label7", "Label8", "Label9", "Label11"};
    for (std::size_t i = 0; i < models.size(); ++i) {
        SCOPED_TRACE(names[i]);
        auto& label = control<QLabel>(names[i]);
        EXPECT_EQ(label.text(), QString());
        models[i]->set_text("1.23MB");
        EXPECT_EQ(label.text(), QStringLiteral("1.23MB"));
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
    for (std::size_t i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        forward.push_back(focused());
    }
    EXPECT_THAT(forward, ElementsAreArray(order));

    std::vector<std::string> back;
    for (std::size_t i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        back.push_back(focused());
    }
    std::vector<std::string> reversed(order.rbegin() + 1, order.rend());
    reversed.emplace_back("Drive1");
    EXPECT_THAT(back, ElementsAreArray(reversed));
}

struct KeyCase {
    const char* focus;
    Qt::Key key;
    std::vector<std::string> calls;
    int ended;
};

TEST_F(MainWindow, EnterPressesStartUnlessAButtonHasTheFocusAndEscapeCloses) {
    const std::vector<KeyCase> cases = {
        {"List2", Qt::Key_Return, {"start"}, 0},
        {"File1", Qt::Key_Enter, {"start"}, 0},
        {"Drive2", Qt::Key_Return, {"start"}, 0},
        {"Combo_ftype", Qt::Key_Return, {"start"}, 0},
        {"b_ok", Qt::Key_Return, {"start"}, 0},
        {"Command1", Qt::Key_Return, {"add"}, 0},
        {"Command5", Qt::Key_Enter, {"move_down"}, 0},
        {"b_cancel", Qt::Key_Return, {"close"}, 1},
        {"Dir1", Qt::Key_Return, {}, 0}, // opens the highlighted folder instead
        {"List2", Qt::Key_Escape, {"close"}, 1},
        {"Command1", Qt::Key_Escape, {"close"}, 1},
    };
    show_active(window);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.focus) + " " + std::to_string(c.key));
        actions.calls.clear();
        ended = 0;
        control(c.focus).setFocus();
        ASSERT_EQ(focused(), c.focus);
        QTest::keyClick(QApplication::focusWidget(), c.key);
        EXPECT_EQ(actions.calls, c.calls);
        EXPECT_EQ(ended, c.ended);
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
    EXPECT_THAT(actions.calls, ElementsAre("start"));
}

TEST_F(MainWindow, EachButtonRunsItsAction) {
    const auto buttons = std::to_array<Captioned>({
        {"b_ok", "start"},
        {"Command1", "add"},
        {"Command6", "add_all"},
        {"Command2", "remove"},
        {"Command3", "clear"},
        {"Command4", "move_up"},
        {"Command5", "move_down"},
        {"Command7", "refresh"},
    });
    for (const auto& [name, action] : buttons) {
        SCOPED_TRACE(name);
        actions.calls.clear();
        QTest::mouseClick(&control(name), Qt::LeftButton);
        EXPECT_THAT(actions.calls, ElementsAre(action));
    }
    EXPECT_EQ(ended, 0);
}

TEST_F(MainWindow, CloseSavesThenEndsEvenWhenSavingFails) {
    actions.fail_with = failure_code::permission_denied;
    QTest::mouseClick(&control("b_cancel"), Qt::LeftButton);
    EXPECT_THAT(actions.calls, ElementsAre("close"));
    EXPECT_THAT(box.texts(), ElementsAre("Error：70で異常終了しました"));
    EXPECT_EQ(ended, 1);
}

TEST_F(MainWindow, TheWindowsOwnCloseBoxSavesNothing) {
    show_active(window);
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_THAT(actions.calls, IsEmpty());
    EXPECT_EQ(ended, 0);
}

TEST_F(MainWindow, AFailureOfAnActionIsShownAndTheWindowGoesOn) {
    actions.fail_with = failure_code::disk_full;
    QTest::mouseClick(&control("b_ok"), Qt::LeftButton);
    EXPECT_THAT(box.texts(), ElementsAre("Error：61で異常終了しました"));
    EXPECT_EQ(box.shown[0].title, "Kadoru");
    QTest::mouseClick(&control("Command1"), Qt::LeftButton);
    EXPECT_THAT(actions.calls, ElementsAre("start", "add"));
}

TEST_F(MainWindow, ListsAndPicturesAreKnownToAssistiveTechnology) {
    const auto names = std::to_array<Captioned>({
        {"Dir1", "フォルダ"},
        {"Drive1", "転送元ドライブ"},
        {"Drive2", "転送先ドライブ"},
        {"Combo_ftype", "ファイルの種類"},
        {"File1", "ファイルリスト"},
        {"List2", "転送リスト"},
        {"Command4", "１つ上に移動します"},
        {"Command5", "１つ下に移動します"},
    });
    for (const auto& [name, text] : names) {
        SCOPED_TRACE(name);
        EXPECT_EQ(control(name).accessibleName(), QString::fromUtf8(text));
    }
    EXPECT_EQ(control("Command4").toolTip(), QStringLiteral("１つ上に移動します"));
    EXPECT_EQ(control("Command5").toolTip(), QStringLiteral("１つ下に移動します"));
}

TEST_F(MainWindow, TheLockDisablesExactlyItsThirteenControls) {
    const std::array names{"b_ok",     "b_cancel", "Dir1",       "Drive1",   "Drive2",
                           "File1",    "Command1", "Command6",   "Command2", "Command3",
                           "Command4", "Command5", "Combo_ftype"};
    for (std::size_t i = 0; i < lock_order.size(); ++i) {
        SCOPED_TRACE(names[i]);
        model.controls.set_enabled(lock_order.at(i), false);
        for (const auto& [name, place] : layout)
            EXPECT_EQ(control(name).isEnabled(), std::string(name) != names[i]) << name;
        model.controls.set_enabled(lock_order.at(i), true);
    }
    for (const auto control_name : lock_order)
        model.controls.set_enabled(control_name, false);
    EXPECT_TRUE(control("Command7").isEnabled());
    EXPECT_TRUE(control("List2").isEnabled());
}

TEST_F(MainWindow, EscapeDoesNothingWhileCloseIsLocked) {
    show_active(window);
    model.controls.set_enabled(LockedControl::b_cancel, false);
    control("List2").setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_THAT(actions.calls, IsEmpty());
    EXPECT_EQ(ended, 0);
    EXPECT_TRUE(window.isVisible());
}

struct Picture {
    const char* name;
    QSize size;
    int top_row_grey;
};

TEST_F(MainWindow, ArrowButtonsShowBlackArrowsOnGrey) {
    for (const Picture p :
         {Picture{"Command4", {17, 20}, 191}, Picture{"Command5", {16, 22}, 223}}) {
        SCOPED_TRACE(p.name);
        const auto& button = control<QPushButton>(p.name);
        EXPECT_EQ(button.iconSize(), p.size);
        const QImage image = button.icon().pixmap(p.size).toImage();
        ASSERT_EQ(image.size(), p.size);
        EXPECT_EQ(image.pixelColor(0, 0), QColor(p.top_row_grey, p.top_row_grey, p.top_row_grey));
        EXPECT_EQ(image.pixelColor(0, p.size.height() - 1), QColor(191, 191, 191));
        // The shaft, three pixels wide, down the middle.
        const int middle = p.size.width() / 2;
        const int y = p.size.height() / 2;
        EXPECT_EQ(image.pixelColor(middle - 1, y), QColor(Qt::black));
        EXPECT_EQ(image.pixelColor(middle, y), QColor(Qt::black));
        EXPECT_EQ(image.pixelColor(middle + 2, y), QColor(191, 191, 191));
    }
}

TEST_F(MainWindow, TheIconIsAnOpaqueSixteenColourPictureOnLimeGreen) {
    const QImage icon = window.windowIcon().pixmap(32, 32).toImage();
    ASSERT_EQ(icon.size(), QSize(32, 32));
    std::set<QRgb> colours;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            EXPECT_EQ(qAlpha(icon.pixel(x, y)), 255);
            colours.insert(icon.pixel(x, y));
        }
    EXPECT_LE(colours.size(), 16U);
    EXPECT_EQ(icon.pixelColor(0, 0), QColor(0, 255, 0));
}

TEST(JapaneseUi, MessageBoxButtonsReadJapaneseAndKanjiHaveAJapaneseFont) {
    const QFont before = QApplication::font();
    const QLocale locale_before;
    QTranslator translator;
    ASSERT_TRUE(use_japanese_ui(*qApp, translator)) << "Qt's Japanese translation is missing";
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    const QString yes = box.button(QMessageBox::Yes)->text();
    const QString cancel = box.button(QMessageBox::Cancel)->text();
    const QStringList families = QApplication::font().families();
    QCoreApplication::removeTranslator(&translator);
    QApplication::setFont(before);
    QLocale::setDefault(locale_before);
    EXPECT_TRUE(yes.startsWith(QStringLiteral("はい"))) << yes.toStdString();
    EXPECT_EQ(cancel, QStringLiteral("キャンセル"));
    EXPECT_TRUE(families.contains(QStringLiteral("Noto Sans CJK JP")));
}

} // namespace
} // namespace kadoru
