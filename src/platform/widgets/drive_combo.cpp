#include "platform/widgets/drive_combo.h"

#include "platform/guard.h"
#include "platform/widgets/qt_text.h"
#include "platform/widgets/redraw_on.h"

#include <vector>

#include <QAbstractItemView>

namespace kadoru {

DriveCombo::DriveCombo(const DriveSelector& selector, DriveSide side, ListIntents& input,
                       MessageBox& errors, QWidget* parent)
    : QComboBox(parent), selector_(selector), side_(side), input_(input), errors_(errors) {
    // activated is the user's pick alone; the program's own changes come from the notifier.
    connect(this, &QComboBox::activated, this, &DriveCombo::pick);
    redraw_on(selector_.changed, this, &DriveCombo::relist);
    relist();
}

void DriveCombo::showPopup() {
    relist();
    // Labels are often longer than the selector is wide: the list shows them whole.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 2 * view()->frameWidth() + 8);
    QComboBox::showPopup();
}

void DriveCombo::relist() {
    std::vector<DriveSelector::Row> rows;
    guarded(errors_, [&] { rows = selector_.rows(); });
    bool same = count() == static_cast<int>(rows.size());
    for (int i = 0; same && i < count(); ++i)
        same = itemText(i) == qt_text(rows[static_cast<std::size_t>(i)].caption) &&
               itemData(i).toString() == qt_text(rows[static_cast<std::size_t>(i)].drive);
    if (!same) {
        const QSignalBlocker quiet(this);
        clear();
        for (const auto& row : rows)
            addItem(qt_text(row.caption), qt_text(row.drive));
    }
    setCurrentIndex(findData(qt_text(selector_.drive())));
}

void DriveCombo::pick(int index) {
    const std::string drive = utf8(itemData(index).toString());
    guarded(errors_, [&] { input_.drive_picked(side_, drive); });
    // The change processing may have gone back to another drive, or failed; the
    // selector holds the truth either way.
    relist();
}

} // namespace kadoru
