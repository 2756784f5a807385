#include "browse/widgets/card_order_window.h"

#include "browse/widgets/card_songs_view.h"
#include "platform/guard.h"
#include "platform/widgets/qt_child.h"
#include "platform/widgets/qt_text.h"
#include "platform/window_texts.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kadoru {

CardOrderWindow::CardOrderWindow(CardOrderActions& actions, MessageBox& errors, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      actions_(actions), errors_(errors) {
    setObjectName(QStringLiteral("card_order"));
    setModal(false);
    resize(360, 420);

    auto* layout = child<QVBoxLayout>(this);
    caption_ = child<QLabel>(this, qt_text(card_order_title));
    caption_->setWordWrap(true);
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
    caption_->setBuddy(list_);
    list_->setAccessibleName(caption_->text());

    songs_view_ = child<CardSongsView>(this, songs_.list(), [this](int to) {
        guarded(errors_, [&] { songs_.move_selected_to(to); });
    });
    songs_view_->setObjectName(QStringLiteral("card_songs"));
    songs_view_->setAccessibleName(qt_text(card_arrange_caption));

    song_commands_ = child<QWidget>(this);
    auto* commands = child<QHBoxLayout>(song_commands_);
    commands->setContentsMargins(0, 0, 0, 0);
    for (auto* command :
         {picture_button("arrow_up", window_text::move_up, "songs_up", &CardOrderWindow::move_up),
          picture_button("arrow_down", window_text::move_down, "songs_down",
                         &CardOrderWindow::move_down),
          button(window_text::sort_by_name, "songs_by_name", &CardOrderWindow::sort_by_name),
          button(window_text::sort_by_track, "songs_by_track", &CardOrderWindow::sort_by_track)}) {
        command->setParent(song_commands_);
        commands->addWidget(command);
    }
    commands->addStretch();

    note_ = child<QLabel>(this);
    note_->setObjectName(QStringLiteral("card_order_note"));
    note_->setWordWrap(true);
    note_->setTextFormat(Qt::PlainText);
    bar_ = child<QProgressBar>(this);
    bar_->setObjectName(QStringLiteral("card_arrange_progress"));
    bar_->setAccessibleName(qt_text(card_arrange_busy));
    bar_->hide();

    auto* buttons = child<QDialogButtonBox>(this, QDialogButtonBox::Close);
    arrange_ = button(card_arrange_command, "card_arrange", &CardOrderWindow::begin_arranging);
    confirm_ = button(card_arrange_confirm, "card_arrange_confirm", &CardOrderWindow::confirm);
    cancel_ = button(card_arrange_cancel, "card_arrange_cancel", &CardOrderWindow::cancel);
    for (auto* command : {arrange_, confirm_, cancel_})
        buttons->addButton(command, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    layout->addWidget(caption_);
    layout->addWidget(list_);
    layout->addWidget(songs_view_);
    layout->addWidget(song_commands_);
    layout->addWidget(note_);
    layout->addWidget(bar_);
    layout->addWidget(buttons);
    show_arranging(false);
}

QPushButton* CardOrderWindow::button(std::string_view text, const char* name,
                                     void (CardOrderWindow::*run)()) {
    auto* button = child<QPushButton>(this, qt_text(text));
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, run);
    return button;
}

QPushButton* CardOrderWindow::picture_button(const char* picture, std::string_view tooltip,
                                             const char* name, void (CardOrderWindow::*run)()) {
    auto* button = this->button("", name, run);
    button->setIcon(QIcon(QStringLiteral(":/kadoru/%1.xpm").arg(QString::fromLatin1(picture))));
    button->setToolTip(qt_text(tooltip));
    button->setAccessibleName(qt_text(tooltip));
    return button;
}

void CardOrderWindow::show_order(const CardOrder& order) {
    order_ = order;
    setWindowTitle(qt_text(card_order_window_title(order)));
    list_->clear();
    for (const auto& row : order.rows) {
        auto* item = child<QTreeWidgetItem>(list_);
        item->setText(0, qt_text(row.name));
        item->setText(1, qt_text(row.size_text));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    note_->setText(qt_text(card_order_note(order)));
    show_arranging(false);
    show();
    raise();
    activateWindow();
    list_->setFocus(Qt::OtherFocusReason);
    if (list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
}

void CardOrderWindow::show_enabled() {
    bool offered = false;
    if (!busy_)
        guarded(errors_, [&] { offered = actions_.can_arrange(order_); });
    arrange_->setEnabled(offered);
    confirm_->setEnabled(offered);
    songs_view_->setEnabled(!busy_);
    song_commands_->setEnabled(!busy_);
    cancel_->setEnabled(!busy_);
}

void CardOrderWindow::show_arranging(bool arranging) {
    caption_->setText(qt_text(arranging ? card_arrange_caption : card_order_title));
    list_->setVisible(!arranging);
    songs_view_->setVisible(arranging);
    song_commands_->setVisible(arranging);
    confirm_->setVisible(arranging);
    cancel_->setVisible(arranging);
    // Not offered where the stored order cannot be read: there is no order to make.
    bool offered = false;
    guarded(errors_, [&] { offered = actions_.can_arrange(order_); });
    arrange_->setVisible(!arranging && order_.as_stored && offered);
    show_enabled();
}

void CardOrderWindow::begin_arranging() {
    songs_.begin(order_);
    show_arranging(true);
    songs_view_->setFocus(Qt::OtherFocusReason);
}

void CardOrderWindow::confirm() {
    busy_ = true;
    show_enabled();
    bar_->setValue(0);
    bar_->show();
    guarded(errors_, [this] {
        actions_.arrange_card(order_, songs_.names(), [this](int done, int total) {
            bar_->setMaximum(total);
            bar_->setValue(done);
        });
    });
    busy_ = false;
    bar_->hide();
    // What the card holds now, read afresh.
    CardOrder now = order_;
    guarded(errors_, [&] { now = actions_.card_order(); });
    show_order(now);
}

void CardOrderWindow::cancel() {
    show_arranging(false);
}

void CardOrderWindow::move_up() {
    guarded(errors_, [this] { songs_.move_up(); });
}

void CardOrderWindow::move_down() {
    guarded(errors_, [this] { songs_.move_down(); });
}

void CardOrderWindow::sort_by_name() {
    guarded(errors_, [this] { songs_.sort_by_name(); });
}

void CardOrderWindow::sort_by_track() {
    guarded(errors_, [this] { actions_.sort_songs_by_track(songs_); });
}

} // namespace kadoru
