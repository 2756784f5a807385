#include "browse/widgets/type_combo.h"

#include "platform/guard.h"
#include "platform/widgets/qt_child.h"
#include "platform/widgets/qt_text.h"
#include "platform/widgets/redraw_on.h"

#include <QLineEdit>
#include <QScopedValueRollback>

namespace kadoru {

TypeCombo::TypeCombo(const TypeSelector& selector, ListIntents& input, MessageBox& errors,
                     QWidget* parent)
    : QComboBox(parent), selector_(selector), input_(input), errors_(errors) {
    // When typing ends (Enter, or the focus leaves) on a text that equals an item,
    // the combo box reports that item as activated, as if it had been picked. Typed
    // text runs nothing, so that report is passed over: it comes from within the line
    // edit's editingFinished, which these two handlers, connected before and after
    // the combo box's own, enclose.
    auto* edit = child<QLineEdit>(this);
    connect(edit, &QLineEdit::editingFinished, this, [this] { typing_ended_ = true; });
    setLineEdit(edit);
    connect(edit, &QLineEdit::editingFinished, this, [this] { typing_ended_ = false; });
    setInsertPolicy(QComboBox::NoInsert);
    // Completing the typed text would pick an item the user never chose.
    setCompleter(nullptr);
    connect(this, &QComboBox::activated, this, &TypeCombo::pick);
    connect(this, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (!drawing_)
            guarded(errors_, [&] { input_.type_typed(utf8(text)); });
    });
    redraw_on(selector_.changed, this, &TypeCombo::redraw);
    redraw();
}

void TypeCombo::redraw() {
    const QScopedValueRollback drawing(drawing_, true);
    const auto& items = selector_.items();
    bool same = count() == static_cast<int>(items.size());
    for (int i = 0; same && i < count(); ++i)
        same = itemText(i) == qt_text(items[static_cast<std::size_t>(i)]);
    if (!same) {
        clear();
        for (const auto& item : items)
            addItem(qt_text(item));
    }
    const QString text = qt_text(selector_.text());
    if (currentText() != text)
        setEditText(text);
}

void TypeCombo::pick(int index) {
    if (typing_ended_ || index < 0 || index >= static_cast<int>(selector_.items().size()))
        return;
    guarded(errors_, [&] { input_.type_picked(index); });
    redraw();
}

} // namespace kadoru
