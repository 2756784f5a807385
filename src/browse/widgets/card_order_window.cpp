#include "browse/widgets/card_order_window.h"

#include "platform/widgets/qt_child.h"
#include "platform/widgets/qt_text.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kadoru {

CardOrderWindow::CardOrderWindow(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("card_order"));
    setModal(false);
    resize(360, 420);

    auto* layout = child<QVBoxLayout>(this);
    auto* caption = child<QLabel>(this, qt_text(card_order_title));
    list_ = child<QTreeWidget>(this);
    list_->setObjectName(QStringLiteral("card_order_list"));
    list_->setColumnCount(2);
    list_->setHeaderLabels({qt_text(card_order_name_heading), qt_text(card_order_size_heading)});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    caption->setBuddy(list_);
    list_->setAccessibleName(caption->text());

    note_ = child<QLabel>(this);
    note_->setObjectName(QStringLiteral("card_order_note"));
    note_->setWordWrap(true);
    note_->setTextFormat(Qt::PlainText);

    auto* buttons = child<QDialogButtonBox>(this, QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    layout->addWidget(caption);
    layout->addWidget(list_);
    layout->addWidget(note_);
    layout->addWidget(buttons);
}

void CardOrderWindow::show_order(const CardOrder& order) {
    setWindowTitle(qt_text(card_order_window_title(order)));
    list_->clear();
    for (const auto& row : order.rows) {
        auto* item = child<QTreeWidgetItem>(list_);
        item->setText(0, qt_text(row.name));
        item->setText(1, qt_text(row.size_text));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    note_->setText(qt_text(card_order_note(order)));
    show();
    raise();
    activateWindow();
    list_->setFocus(Qt::OtherFocusReason);
    if (list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
}

} // namespace kadoru
