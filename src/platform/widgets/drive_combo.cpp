#include "platform/widgets/drive_combo.h"

#include "platform/guard.h"
#include "platform/widgets/qt_text.h"

#include <algorithm>
#include <vector>

#include <QAbstractItemView>
#include <QPointer>

namespace kadoru {

QString drive_caption(const DriveInfo& drive) {
    if (drive.label.empty())
        return qt_text(drive.drive);
    return qt_text(drive.drive + " [" + drive.label + "]");
}

DriveCombo::DriveCombo(DriveSelector& selector, MessageBox& errors, QWidget* parent)
    : QComboBox(parent), selector_(selector), errors_(errors) {
    // activated is the user's pick alone; the program's own changes come from the notifier.
    connect(this, &QComboBox::activated, this, &DriveCombo::pick);
    selector_.changed.connect([view = QPointer(this)] {
        if (view)
            view->relist();
    });
    relist();
}

void DriveCombo::showPopup() {
    relist();
    // Labels are often longer than the selector is wide: the list shows them whole.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 2 * view()->frameWidth() + 8);
    QComboBox::showPopup();
}

void DriveCombo::relist() {
    std::vector<DriveInfo> drives;
    guarded(errors_, [&] { drives = selector_.entries(); });
    // A drive selected earlier that is gone now still shows as the selection.
    const std::string& selected = selector_.drive();
    if (std::none_of(drives.begin(), drives.end(),
                     [&](const DriveInfo& d) { return d.drive == selected; }))
        drives.push_back({selected, {}, {}});

    bool same = count() == static_cast<int>(drives.size());
    for (int i = 0; same && i < count(); ++i)
        same = itemText(i) == drive_caption(drives[static_cast<std::size_t>(i)]) &&
               itemData(i).toString() == qt_text(drives[static_cast<std::size_t>(i)].drive);
    if (!same) {
        const QSignalBlocker quiet(this);
        clear();
        for (const auto& drive : drives)
            addItem(drive_caption(drive), qt_text(drive.drive));
    }
    setCurrentIndex(findData(qt_text(selected)));
}

void DriveCombo::pick(int index) {
    const std::string drive = utf8(itemData(index).toString());
    guarded(errors_, [&] { selector_.assign(drive); });
    // The change processing may have gone back to another drive, or failed; the
    // selector holds the truth either way.
    relist();
}

} // namespace kadoru
