#include "app/widgets/transfer_list_view.h"
#include "fakes/fake_ui.h"
#include "gui_test_support.h"
#include "transfer_list/transfer_list.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace kadoru {
namespace {

using kadoru::test::click_row;
using kadoru::test::drop_on;
using kadoru::test::lower_half;
using kadoru::test::ScriptedMessageBox;
using kadoru::test::selected_rows;
using kadoru::test::show_active;
using kadoru::test::upper_half;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Records what the list's drag and drop and menu asked for.
class RecordingListActions final : public TransferListActions {
public:
    explicit RecordingListActions(TransferList& list) : list(&list) {}
    bool editable = true;
    std::vector<std::string> calls;

    bool list_editable() const override { return editable; }
    void move_selected_to(int to) override { calls.push_back("move to " + std::to_string(to)); }
    void add_dropped(const std::vector<std::string>& paths) override {
        std::string call = "add";
        for (const auto& path : paths)
            call += " [" + path + "]";
        calls.push_back(call);
    }
    void add_playlist(const std::string& path) override { calls.push_back("add playlist " + path); }
    void save_playlist(const std::string& path) override { calls.push_back("save " + path); }
    void sort_by_name() override { calls.emplace_back("sort by name"); }
    void sort_by_track() override { calls.emplace_back("sort by track"); }
    void shuffle() override { calls.emplace_back("shuffle"); }
    // The user's selection goes into the list, as the program's own actions put it.
    void list_rows_selected(const std::vector<int>& rows) override { list->set_selection(rows); }
    void list_current_row(int row) override { list->set_list_index(row); }
    TransferList* list;
};

// Opens the view's context menu and reads which entries it offers enabled, then closes it.
std::vector<std::string> enabled_menu_entries(QAbstractItemView& view) {
    std::vector<std::string> enabled;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (const QAction* action : menu->actions())
            if (!action->isSeparator() && action->isEnabled())
                enabled.push_back(action->text().toStdString());
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), view.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(view.viewport(), &event);
    return enabled;
}

class TransferListWidget : public ::testing::Test {
protected:
    TransferListWidget() : actions(list), view(list, actions, box, &host) {
        host.resize(300, 300);
        view.resize(250, 250);
        for (const char* name : {"A", "B", "C", "D", "E"})
            list.append({name, std::string("/m/") + name, "1"});
        list.changed.connect([this] { ++notified; });
        show_active(host);
        view.setFocus();
    }
    std::vector<std::string> shown() const {
        std::vector<std::string> names;
        for (int i = 0; i < view.model()->rowCount(); ++i)
            names.push_back(view.model()->index(i, 0).data().toString().toStdString());
        return names;
    }
    std::vector<int> model_selection() const {
        std::vector<int> rows;
        for (int i = 0; i < list.count(); ++i)
            if (list.selected(i))
                rows.push_back(i);
        return rows;
    }

    TransferList list;
    RecordingListActions actions;
    ScriptedMessageBox box;
    QWidget host;
    TransferListView view;
    int notified = 0;
};

TEST_F(TransferListWidget, DrawsTheListsOwnChanges) {
    struct Step {
        const char* what;
        std::function<void(TransferList&)> change;
        std::vector<std::string> rows;
        std::vector<int> selected;
        int current;
    };
    const std::vector<Step> steps = {
        {"select",
         [](TransferList& l) { l.set_selected(1, true), l.set_selected(3, true); },
         {"A", "B", "C", "D", "E"},
         {1, 3},
         -1},
        {"current",
         [](TransferList& l) { l.set_list_index(3); },
         {"A", "B", "C", "D", "E"},
         {1, 3},
         3},
        {"move up",
         [](TransferList& l) { l.exchange(1, 0), l.exchange(3, 2); },
         {"B", "A", "D", "C", "E"},
         {0, 2},
         3},
        {"remove", [](TransferList& l) { l.remove_at(2), l.remove_at(0); }, {"A", "C", "E"}, {}, 1},
        {"append",
         [](TransferList& l) {
             l.append({"F", "/m/F", "5"});
         },
         {"A", "C", "E", "F"},
         {},
         1},
        {"clear", [](TransferList& l) { l.clear(); }, {}, {}, -1},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.change(list);
        EXPECT_EQ(shown(), step.rows);
        EXPECT_EQ(selected_rows(view), step.selected);
        EXPECT_EQ(view.currentIndex().isValid() ? view.currentIndex().row() : -1, step.current);
        // Drawing wrote nothing back into the list.
        EXPECT_EQ(model_selection(), step.selected);
        EXPECT_EQ(list.list_index(), step.current);
    }
}

TEST_F(TransferListWidget, TheUsersSelectionAndCurrentRowGoIntoTheListWithoutEchoes) {
    click_row(view, 2);
    notified = 0;
    click_row(view, 4, Qt::ControlModifier);
    // One flag set and the current row moved: two changes, and no redraw wrote back again.
    EXPECT_EQ(notified, 2);
    EXPECT_THAT(model_selection(), ElementsAre(2, 4));
    EXPECT_EQ(list.list_index(), 4);
    QTest::keyClick(&view, Qt::Key_Up);
    EXPECT_THAT(model_selection(), ElementsAre(3));
    EXPECT_EQ(list.list_index(), 3);
    EXPECT_THAT(selected_rows(view), ElementsAre(3));
    EXPECT_THAT(box.shown, IsEmpty());
}

TEST_F(TransferListWidget, DraggedRowsGoBetweenTheRowsUnderThePointerAndOnlyItsOwn) {
    const auto rows = view.dragged_rows();
    for (const QPoint at : {upper_half(view, 0), lower_half(view, 1), upper_half(view, 3),
                            lower_half(view, 4), upper_half(view, -1)})
        EXPECT_TRUE(drop_on(view, *rows, at));
    EXPECT_THAT(actions.calls,
                ElementsAre("move to 0", "move to 2", "move to 3", "move to 5", "move to 5"));

    actions.calls.clear();
    TransferListView other(list, actions, box, &host);
    EXPECT_FALSE(drop_on(view, *other.dragged_rows(), upper_half(view, 0)));
    // Rows are moved, never copied.
    EXPECT_FALSE(drop_on(view, *rows, upper_half(view, 0), Qt::CopyAction));
    EXPECT_THAT(actions.calls, IsEmpty());
}

TEST_F(TransferListWidget, DroppedFilesAreCopiedInDropOrderAndOnlyLocalOnesNamed) {
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QStringLiteral("/music/b 曲.mp3")),
                   QUrl::fromLocalFile(QStringLiteral("/music/album")),
                   QUrl(QStringLiteral("https://example.org/c.mp3")),
                   QUrl(QStringLiteral("file://server/share/d.mp3"))});
    const auto offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(upper_half(view, 0), offered, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &enter);
    QDropEvent drop(upper_half(view, 0), offered, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    // The file manager must keep its files, whatever it offered.
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    EXPECT_THAT(actions.calls, IsEmpty()); // not while the file manager waits on the drop
    QCoreApplication::processEvents();
    EXPECT_THAT(actions.calls, ElementsAre("add [/music/b 曲.mp3] [/music/album] [] []"));

    // While the list is locked it takes nothing and its menu is grey.
    actions.calls.clear();
    actions.editable = false;
    EXPECT_FALSE(drop_on(view, files, upper_half(view, 0)));
    EXPECT_FALSE(drop_on(view, *view.dragged_rows(), upper_half(view, 0)));
    EXPECT_THAT(actions.calls, IsEmpty());
    EXPECT_THAT(enabled_menu_entries(view), IsEmpty());
}

TEST_F(TransferListWidget, TheMenuOffersPlaylistsAndSortingAndAnEmptyListOnlyToAddOne) {
    const std::vector<std::string> all = {"プレイリストを追加…", "プレイリストとして保存…",
                                          "名前順に並べ替え", "トラック番号順に並べ替え",
                                          "シャッフル"};
    EXPECT_EQ(enabled_menu_entries(view), all);
    for (const char* name : {"sort_by_name", "sort_by_track", "shuffle"})
        view.findChild<QAction*>(QString::fromLatin1(name))->trigger();
    EXPECT_THAT(actions.calls, ElementsAre("sort by name", "sort by track", "shuffle"));
    list.clear();
    EXPECT_THAT(enabled_menu_entries(view), ElementsAre(all.front()));
}

} // namespace
} // namespace kadoru
