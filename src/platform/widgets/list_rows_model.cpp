#include "platform/widgets/list_rows_model.h"

#include <utility>

namespace kadoru {

ListRowsModel::ListRowsModel(Count count, Text text, QObject* parent)
    : QAbstractListModel(parent), count_(std::move(count)), text_(std::move(text)),
      rows_(count_()) {
}

int ListRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

QVariant ListRowsModel::data(const QModelIndex& index, int role) const {
    // A row the logic has dropped since the last refresh is drawn empty until then.
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= count_())
        return {};
    return text_(index.row());
}

void ListRowsModel::accept_drops(QStringList types) {
    drop_types_ = std::move(types);
}

Qt::ItemFlags ListRowsModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractListModel::flags(index);
    if (!drop_types_.isEmpty()) {
        // Between rows only: the list's root takes drops, a row does not take one onto itself.
        if (index.isValid())
            flags |= Qt::ItemIsDragEnabled;
        else
            flags |= Qt::ItemIsDropEnabled;
    }
    return flags;
}

QStringList ListRowsModel::mimeTypes() const {
    return drop_types_;
}

Qt::DropActions ListRowsModel::supportedDropActions() const {
    return drop_types_.isEmpty() ? Qt::IgnoreAction : Qt::CopyAction | Qt::MoveAction;
}

void ListRowsModel::refresh() {
    const int rows = count_();
    if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    } else if (rows < rows_) {
        beginRemoveRows({}, rows, rows_ - 1);
        rows_ = rows;
        endRemoveRows();
    }
    if (rows_ > 0)
        emit dataChanged(index(0), index(rows_ - 1), {Qt::DisplayRole});
}

void ListRowsModel::reset() {
    beginResetModel();
    rows_ = count_();
    endResetModel();
}

void show_selection(QItemSelectionModel& selection, const std::function<bool(int)>& selected,
                    int current) {
    const QAbstractItemModel& rows = *selection.model();
    const int count = rows.rowCount();
    QItemSelection wanted;
    for (int first = 0; first < count;) {
        if (!selected(first)) {
            ++first;
            continue;
        }
        int last = first;
        while (last + 1 < count && selected(last + 1))
            ++last;
        wanted.select(rows.index(first, 0), rows.index(last, 0));
        first = last + 1;
    }
    if (current >= 0 && current < count)
        selection.setCurrentIndex(rows.index(current, 0), QItemSelectionModel::NoUpdate);
    else
        selection.clearCurrentIndex();
    selection.select(wanted, QItemSelectionModel::ClearAndSelect);
}

std::vector<int> selected_rows(const QItemSelectionModel& selection) {
    std::vector<int> rows;
    for (const auto& index : selection.selectedRows())
        rows.push_back(index.row());
    return rows;
}

} // namespace kadoru
