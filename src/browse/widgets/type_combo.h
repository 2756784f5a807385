#pragma once

#include "browse/type_selector.h"
#include "platform/list_intents.h"
#include "platform/message_box.h"

#include <QComboBox>

namespace kadoru {

// Combo_ftype: an editable drop-down. Picking an item from the list (or stepping to
// it with the arrow keys) and typing are told apart here, where only Qt knows
// which is which: typed text is never sent as a pick, even when it is an item's and
// typing ends with Enter or Tab.
class TypeCombo final : public QComboBox {
    Q_OBJECT

public:
    TypeCombo(const TypeSelector& selector, ListIntents& input, MessageBox& errors,
              QWidget* parent);

private:
    void redraw();
    void pick(int index);

    const TypeSelector& selector_;
    ListIntents& input_;
    MessageBox& errors_;
    bool drawing_ = false;
    bool typing_ended_ = false;
};

} // namespace kadoru
