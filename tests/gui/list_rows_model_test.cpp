// The rows model against Qt's own model contract, as the transfer list drives it:
// rows removed before, at and after the current one, then the view told.
#include "platform/widgets/list_rows_model.h"
#include "transfer_list/transfer_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>

namespace kadoru {
namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// What the contract checker complains of; Qt reports it only as warnings.
std::vector<std::string>* complaints = nullptr;

void collect(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (complaints != nullptr && type != QtDebugMsg && type != QtInfoMsg)
        complaints->push_back(text.toStdString());
}

struct RemovalCase {
    const char* title;
    int current;           // the list's current row before
    std::vector<int> gone; // rows removed one at a time, each followed by a redraw
    int current_after;
};

void PrintTo(const RemovalCase& c, std::ostream* os) {
    *os << c.title;
}

class RowsModelContract : public ::testing::TestWithParam<RemovalCase> {
protected:
    RowsModelContract() {
        complaints = &heard;
        previous_ = qInstallMessageHandler(collect);
        for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3", "e.mp3"})
            list.append({name, std::string("/m/") + name, "1000"});
    }
    ~RowsModelContract() override {
        qInstallMessageHandler(previous_);
        complaints = nullptr;
    }

    // What the list view does when its list changed.
    void redraw() {
        rows.refresh();
        show_selection(
            selection, [this](int i) { return list.selected(i); }, list.list_index());
    }
    std::vector<QString> shown() const {
        std::vector<QString> texts;
        for (int i = 0; i < rows.rowCount(); ++i)
            texts.push_back(rows.index(i).data().toString());
        return texts;
    }
    std::vector<QString> listed() const {
        std::vector<QString> texts;
        for (int i = 0; i < list.count(); ++i)
            texts.push_back(QString::fromStdString(list.row(i).name));
        return texts;
    }

    std::vector<std::string> heard;
    TransferList list;
    ListRowsModel rows{[this] { return list.count(); },
                       [this](int i) { return QString::fromStdString(list.row(i).name); }, nullptr};
    QAbstractItemModelTester tester{&rows, QAbstractItemModelTester::FailureReportingMode::Warning};
    QItemSelectionModel selection{&rows};

private:
    QtMessageHandler previous_ = nullptr;
};

TEST_P(RowsModelContract, RemovalsKeepTheRowsTextsAndCurrentRowInStep) {
    const RemovalCase& c = GetParam();
    list.set_list_index(c.current);
    list.set_selected(c.current, true);
    redraw();
    for (const int row : c.gone) {
        list.remove_at(row);
        redraw();
        EXPECT_EQ(shown(), listed()) << "after removing row " << row;
    }
    EXPECT_EQ(list.list_index(), c.current_after);
    const QModelIndex current = selection.currentIndex();
    EXPECT_EQ(current.isValid() ? current.row() : -1, c.current_after);
    std::vector<int> selected;
    for (const auto& index : selection.selectedRows())
        selected.push_back(index.row());
    std::vector<int> wanted;
    for (int i = 0; i < list.count(); ++i)
        if (list.selected(i))
            wanted.push_back(i);
    EXPECT_THAT(selected, ElementsAreArray(wanted));
    EXPECT_THAT(heard, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, RowsModelContract,
    ::testing::Values(RemovalCase{"Before", 2, {0}, 1}, RemovalCase{"At", 2, {2}, 2},
                      RemovalCase{"After", 2, {4}, 2}, RemovalCase{"AtTheLastRow", 4, {4}, 3},
                      RemovalCase{"EveryRowFromTheFront", 2, {0, 0, 0, 0, 0}, -1},
                      RemovalCase{"EveryRowFromTheBack", 0, {4, 3, 2, 1, 0}, -1}),
    [](const auto& info) { return std::string(info.param.title); });

TEST_F(RowsModelContract, RowsAddedAndTheListReplacedKeepTheContract) {
    list.append({"f.mp3", "/m/f.mp3", "1000"});
    redraw();
    EXPECT_EQ(shown(), listed());
    list.clear();
    rows.reset();
    EXPECT_EQ(rows.rowCount(), 0);
    list.append({"g.mp3", "/m/g.mp3", "1000"});
    redraw();
    EXPECT_EQ(shown(), listed());
    EXPECT_THAT(heard, IsEmpty());
}

} // namespace
} // namespace kadoru
