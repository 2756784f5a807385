#include "platform/widgets/qt_message_box.h"

#include "platform/widgets/qt_text.h"

#include <QMessageBox>

namespace kadoru {

Answer QtMessageBox::show(std::string_view text, std::string_view title, Buttons buttons) {
    QMessageBox box(parent_);
    box.setObjectName(QStringLiteral("message_box"));
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(qt_text(title));
    box.setText(qt_text(text));
    box.setTextFormat(Qt::PlainText);
    if (buttons == Buttons::ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    } else if (buttons == Buttons::yes_no) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        // The close box and Escape both answer with the escape button.
        box.setEscapeButton(QMessageBox::Cancel);
    }
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes:
        return Answer::yes;
    case QMessageBox::No:
        return Answer::no;
    case QMessageBox::Ok:
        return Answer::ok;
    default:
        return buttons == Buttons::ok       ? Answer::ok
               : buttons == Buttons::yes_no ? Answer::no
                                            : Answer::cancel;
    }
}

} // namespace kadoru
