// The rows model against Qt's own model contract, as the transfer list drives it:
// rows removed before, at and after the current one, then the view told.
#include "platform/widgets/list_rows_model.h"
#include "transfer_list/transfer_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>

namespace kadoru {
namespace {

using ::testing::IsEmpty;

// What the contract checker complains of; Qt reports it only as warnings.
std::vector<std::string> complaints;

void collect(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg && type != QtInfoMsg)
        complaints.push_back(text.toStdString());
}

class RowsModelContract : public ::testing::Test {
protected:
    RowsModelContract() {
        complaints.clear();
        previous_ = qInstallMessageHandler(collect);
    }
    ~RowsModelContract() override { qInstallMessageHandler(previous_); }

    // What the list view does when its list changed.
    void redraw() {
        rows.refresh();
        show_selection(
            selection, [this](int i) { return list.selected(i); }, list.list_index());
    }
    // The rows show the list's names, its current row and its selected rows.
    void expect_in_step(const std::string& when) {
        std::vector<QString> shown;
        std::vector<QString> listed;
        std::vector<int> selected;
        std::vector<int> wanted;
        for (int i = 0; i < rows.rowCount(); ++i)
            shown.push_back(rows.index(i).data().toString());
        for (int i = 0; i < list.count(); ++i) {
            listed.push_back(QString::fromStdString(list.row(i).name));
            if (list.selected(i))
                wanted.push_back(i);
        }
        for (const auto& index : selection.selectedRows())
            selected.push_back(index.row());
        const QModelIndex current = selection.currentIndex();
        EXPECT_EQ(shown, listed) << when;
        EXPECT_EQ(current.isValid() ? current.row() : -1, list.list_index()) << when;
        EXPECT_EQ(selected, wanted) << when;
    }

    TransferList list;
    ListRowsModel rows{[this] { return list.count(); },
                       [this](int i) { return QString::fromStdString(list.row(i).name); }, nullptr};
    QAbstractItemModelTester tester{&rows, QAbstractItemModelTester::FailureReportingMode::Warning};
    QItemSelectionModel selection{&rows};

private:
    QtMessageHandler previous_ = nullptr;
};

TEST_F(RowsModelContract, RemovalsAdditionsAndAResetKeepTheRowsInStepWithTheList) {
    const struct {
        int current;           // the list's current row before
        std::vector<int> gone; // rows removed one at a time, each followed by a redraw
        int current_after;
    } cases[] = {{2, {0}, 1},
                 {2, {2}, 2},
                 {2, {4}, 2},
                 {4, {4}, 3}, // before, at, after, last
                 {2, {0, 0, 0, 0, 0}, -1},
                 {0, {4, 3, 2, 1, 0}, -1}}; // all, front and back
    for (const auto& [current, gone, current_after] : cases) {
        list.clear();
        rows.reset();
        EXPECT_EQ(rows.rowCount(), 0);
        for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3", "e.mp3"})
            list.append({name, std::string("/m/") + name, "1000"});
        list.set_list_index(current);
        list.set_selected(current, true);
        redraw();
        expect_in_step("the list replaced");
        for (const int row : gone) {
            list.remove_at(row);
            redraw();
            expect_in_step("row " + std::to_string(row) + " removed, " + std::to_string(current) +
                           " current before");
        }
        EXPECT_EQ(list.list_index(), current_after) << current;
    }
    for (const char* name : {"f.mp3", "g.mp3"}) { // to an empty list, then to one row
        list.append({name, std::string("/m/") + name, "1000"});
        redraw();
        expect_in_step(std::string(name) + " added");
    }
    EXPECT_THAT(complaints, IsEmpty());
}

} // namespace
} // namespace kadoru
