#include "card/widgets/card_order_window.h"

#include "platform/guard.h"
#include "platform/widgets/qt_child.h"
#include "platform/widgets/qt_text.h"
#include "platform/widgets/redraw_on.h"
#include "platform/window_texts.h"
#include "transfer_list/widgets/arranged_list_view.h"

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
      errors_(errors), model_(actions, errors) {
    setObjectName(QStringLiteral("card_order"));
    setModal(false);
    resize(360, 420);

    auto* layout = child<QVBoxLayout>(this);
    caption_ = child<QLabel>(this, qt_text(window_text::card_order_title));
    caption_->setWordWrap(true);
    list_ = child<QTreeWidget>(this);
    list_->setObjectName(QStringLiteral("card_order_list"));
    list_->setColumnCount(2);
    list_->setHeaderLabels({qt_text(window_text::card_order_name_heading),
                            qt_text(window_text::card_order_size_heading)});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    caption_->setBuddy(list_);
    list_->setAccessibleName(caption_->text());

    songs_view_ = child<ArrangedListView>(this, model_.songs(), model_, errors_);
    songs_view_->setObjectName(QStringLiteral("card_songs"));
    songs_view_->setAccessibleName(qt_text(window_text::card_arrange_caption));

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
    bar_->setAccessibleName(qt_text(window_text::card_arrange_busy));
    bar_->hide();

    auto* buttons = child<QDialogButtonBox>(this, QDialogButtonBox::Close);
    arrange_ = button(window_text::card_arrange_command, "card_arrange",
                      &CardOrderWindow::begin_arranging);
    confirm_ = button(window_text::card_arrange_confirm, "card_arrange_confirm",
                      &CardOrderWindow::confirm);
    cancel_ =
        button(window_text::card_arrange_cancel, "card_arrange_cancel", &CardOrderWindow::cancel);
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
    redraw_on(model_.changed, this, &CardOrderWindow::show_enabled);
    show_enabled();
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
    model_.show(order);
    show();
    raise();
    activateWindow();
    draw_order();
}

void CardOrderWindow::draw_order() {
    const CardOrder& order = model_.order();
    setWindowTitle(qt_text(card_order_window_title(order)));
    list_->clear();
    for (const auto& row : order.rows) {
        auto* item = child<QTreeWidgetItem>(list_);
        item->setText(0, qt_text(row.name));
        item->setText(1, qt_text(row.size_text));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    note_->setText(qt_text(card_order_note(order)));
    list_->setFocus(Qt::OtherFocusReason);
    if (list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
}

void CardOrderWindow::show_enabled() {
    const bool arranging = model_.arranging();
    const bool busy = model_.busy();
    const auto offer = model_.arrange_offer();
    caption_->setText(
        qt_text(arranging ? window_text::card_arrange_caption : window_text::card_order_title));
    list_->setVisible(!arranging);
    songs_view_->setVisible(arranging);
    song_commands_->setVisible(arranging);
    confirm_->setVisible(arranging);
    cancel_->setVisible(arranging);
    arrange_->setVisible(offer.shown);
    arrange_->setEnabled(offer.enabled);
    confirm_->setEnabled(offer.enabled);
    songs_view_->setEnabled(!busy);
    song_commands_->setEnabled(!busy);
    cancel_->setEnabled(!busy);
}

void CardOrderWindow::begin_arranging() {
    guarded(errors_, [this] { model_.begin_arranging(); });
    songs_view_->setFocus(Qt::OtherFocusReason);
}

void CardOrderWindow::confirm() {
    bar_->setValue(0);
    bar_->show();
    guarded(errors_, [this] {
        model_.confirm([this](int done, int total) {
            bar_->setMaximum(total);
            bar_->setValue(done);
        });
    });
    bar_->hide();
    draw_order();
}

void CardOrderWindow::cancel() {
    model_.cancel();
}

void CardOrderWindow::move_up() {
    guarded(errors_, [this] { model_.move_up(); });
}

void CardOrderWindow::move_down() {
    guarded(errors_, [this] { model_.move_down(); });
}

void CardOrderWindow::sort_by_name() {
    guarded(errors_, [this] { model_.sort_by_name(); });
}

void CardOrderWindow::sort_by_track() {
    guarded(errors_, [this] { model_.sort_by_track(); });
}

} // namespace kadoru
