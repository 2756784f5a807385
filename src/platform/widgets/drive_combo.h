#pragma once

#include "platform/drive_selector.h"
#include "platform/message_box.h"

#include <QComboBox>

namespace kadoru {

// Drive1, Drive2: a drop-down of the drives present, each as "e: [LABEL]". The
// drives are listed anew each time the list opens; picking one assigns it.
class DriveCombo final : public QComboBox {
    Q_OBJECT

public:
    DriveCombo(DriveSelector& selector, MessageBox& errors, QWidget* parent);

    void showPopup() override;

private:
    void relist();
    void pick(int index);

    DriveSelector& selector_;
    MessageBox& errors_;
};

// The text a drive goes by in the drop-down.
QString drive_caption(const DriveInfo& drive);

} // namespace kadoru
