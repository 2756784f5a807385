#pragma once

#include "browse/card_order.h"

#include <QDialog>

class QLabel;
class QTreeWidget;

namespace kadoru {

// A small window beside the main one that lists the destination's root folder in
// the order of its entries, with their sizes, and says whether that order is the
// one stored on the card. Read-only and not modal: it shows what it was given.
class CardOrderWindow final : public QDialog {
    Q_OBJECT

public:
    explicit CardOrderWindow(QWidget* parent);

    // Shows this order in place of the last one, and brings the window up.
    void show_order(const CardOrder& order);

private:
    QTreeWidget* list_ = nullptr;
    QLabel* note_ = nullptr;
};

} // namespace kadoru
