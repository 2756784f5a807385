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
    // Each row's name, "*" when selected and "<" when current: as the view shows the
    // rows, and as the list holds them.
    std::string shown() const {
        std::string rows_shown;
        for (int i = 0; i < rows.rowCount(); ++i)
            rows_shown += rows.index(i).data().toString().toStdString() +
                          (selection.isRowSelected(i) ? "*" : "") +
                          (selection.currentIndex().row() == i ? "<" : "") + " ";
        return rows_shown;
    }
    std::string held() const {
        std::string rows_held;
        for (int i = 0; i < list.count(); ++i)
            rows_held += list.row(i).name + (list.selected(i) ? "*" : "") +
                         (list.list_index() == i ? "<" : "") + " ";
        return rows_held;
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
    // Rows removed before the current row, at it, after it, at the last; all from either end.
    const struct {
        int current;           // the list's current row before
        std::vector<int> gone; // rows removed one at a time, each followed by a redraw
        int current_after;
    } cases[] = {{2, {0}, 1},
                 {2, {2}, 2},
                 {2, {4}, 2},
                 {4, {4}, 3},
                 {2, {0, 0, 0, 0, 0}, -1},
                 {0, {4, 3, 2, 1, 0}, -1}};
    for (const auto& [current, gone, current_after] : cases) {
        list.clear();
        rows.reset();
        EXPECT_EQ(rows.rowCount(), 0);
        for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3", "e.mp3"})
            list.append({name, std::string("/m/") + name, "1000"});
        list.set_list_index(current);
        list.set_selected(current, true);
        redraw();
        EXPECT_EQ(shown(), held()) << "the list replaced";
        for (const int row : gone) {
            list.remove_at(row);
            redraw();
            EXPECT_EQ(shown(), held()) << "row " << row << " removed, " << current << " current";
        }
        EXPECT_EQ(list.list_index(), current_after) << current;
    }
    for (const char* name : {"f.mp3", "g.mp3"}) { // to an empty list, then to one row
        list.append({name, std::string("/m/") + name, "1000"});
        redraw();
        EXPECT_EQ(shown(), held()) << name << " added";
    }
    EXPECT_THAT(complaints, IsEmpty());
}

} // namespace
} // namespace kadoru
