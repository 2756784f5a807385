#include "app/widgets/transfer_list_view.h"
#include "fakes/fake_ui.h"
#include "gui_test_support.h"
#include "transfer_list/transfer_list.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kadoru {
namespace {

using kadoru::test::click_row;
using kadoru::test::ScriptedMessageBox;
using kadoru::test::selected_rows;
using kadoru::test::show_active;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class TransferListWidget : public ::testing::Test {
protected:
    TransferListWidget() : view(list, box, &host) {
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

} // namespace
} // namespace kadoru
