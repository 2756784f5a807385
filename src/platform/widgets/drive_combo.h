#pragma once

#include "platform/drive_selector.h"
#include "platform/list_intents.h"
#include "platform/message_box.h"

#include <QComboBox>

namespace kadoru {

// Drive1, Drive2: a drop-down of its selector's rows, listed anew each time it
// opens; the user's pick goes to the logic as an intent.
class DriveCombo final : public QComboBox {
    Q_OBJECT

public:
    DriveCombo(const DriveSelector& selector, DriveSide side, ListIntents& input,
               MessageBox& errors, QWidget* parent);

    void showPopup() override;

private:
    void relist();
    void pick(int index);

    const DriveSelector& selector_;
    DriveSide side_;
    ListIntents& input_;
    MessageBox& errors_;
};

} // namespace kadoru
