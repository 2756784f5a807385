#pragma once

#include "platform/message_box.h"

#include <QPointer>
#include <QWidget>

namespace kadoru {

// Message boxes as QMessageBox draws them: no icon, modal over the parent window.
// The standard buttons read in the language of the translation main loads.
class QtMessageBox final : public MessageBox {
public:
    explicit QtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}
    void set_parent(QWidget* parent) { parent_ = parent; }

    Answer show(std::string_view text, std::string_view title = app_title,
                Buttons buttons = Buttons::ok) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace kadoru
