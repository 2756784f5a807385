#pragma once

#include <functional>
#include <vector>

#include <QAbstractListModel>
#include <QItemSelectionModel>
#include <QStringList>

namespace kadoru {

// The rows of a logic list as Qt's views see them. Texts are read from the logic
// when drawn, so the view keeps no copy that could fall out of step with it.
class ListRowsModel final : public QAbstractListModel {
    Q_OBJECT

public:
    using Count = std::function<int()>;
    using Text = std::function<QString(int)>;

    ListRowsModel(Count count, Text text, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Drag and drop: the rows may be dragged, and the list takes drops of these
    // types between its rows. The view carries the drop out itself; the model only
    // tells Qt's view where a drop may go, so that it draws the place.
    void accept_drops(QStringList types);
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    Qt::DropActions supportedDropActions() const override;

    // The logic's rows changed in place or at the end: the view keeps its scroll
    // position and is told of added or dropped rows and of new texts.
    void refresh();
    // The logic's rows were replaced: selection and current row start afresh.
    void reset();

private:
    Count count_;
    Text text_;
    int rows_ = 0;
    QStringList drop_types_;
};

// Makes a view's selection and current row those of the logic. current < 0 means
// no current row.
void show_selection(QItemSelectionModel& selection, const std::function<bool(int)>& selected,
                    int current);
// The rows a view has selected now, as the logic takes the user's selection.
std::vector<int> selected_rows(const QItemSelectionModel& selection);

} // namespace kadoru
