#pragma once

#include "platform/message_box.h"
#include "platform/type_selector.h"

#include <QComboBox>

namespace kadoru {

// Combo_ftype: an editable drop-down. Picking an item from the list (or stepping to
// it with the arrow keys) chooses it; typing only changes the text and runs nothing,
// even when the typed text is an item's and typing ends with Enter or Tab.
class TypeCombo final : public QComboBox {
    Q_OBJECT

public:
    TypeCombo(TypeSelector& selector, MessageBox& errors, QWidget* parent);

private:
    void redraw();
    void pick(int index);

    TypeSelector& selector_;
    MessageBox& errors_;
    bool drawing_ = false;
    bool typing_ended_ = false;
};

} // namespace kadoru
