#include "app/widgets/kadoru10.h"

#include "app/main_menus.h"
#include "app/widgets/transfer_list_view.h"
#include "browse/widgets/type_combo.h"
#include "card/widgets/card_order_window.h"
#include "platform/guard.h"
#include "platform/widgets/drive_combo.h"
#include "platform/widgets/file_list_view.h"
#include "platform/widgets/folder_tree.h"
#include "platform/widgets/lazy_tool_tip.h"
#include "platform/widgets/qt_child.h"
#include "platform/widgets/qt_place.h"
#include "platform/widgets/qt_text.h"
#include "platform/widgets/redraw_on.h"
#include "platform/window_texts.h"

#include <array>
#include <stdexcept>
#include <utility>
#include <vector>

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>

namespace kadoru {

void Kadoru10::end_application() {
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

Kadoru10::Kadoru10(const MainViewModel& model, MainIntents& actions, MessageBox& errors,
                   EndProgram end_program, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      model_(model), actions_(actions), errors_(errors), end_program_(std::move(end_program)) {
    setObjectName(QStringLiteral("kadoru10"));
    setWindowTitle(qt_text(window_text::main_title));
    setWindowIcon(QIcon(QStringLiteral(":/kadoru/kadoru.png")));
    setFixedSize(main_client_area.width, main_client_area.height);
    QFont text_font = font();
    text_font.setPixelSize(main_text_pixels);
    setFont(text_font);

    for (const ControlLayout& layout : main_controls) {
        QWidget* widget = make(layout);
        widget->setObjectName(qt_text(layout.name));
        widget->setGeometry(qt_rect(layout.place));
    }
    b_cancel_ = findChild<QPushButton*>(qt_text(main_cancel_button));
    connect(b_cancel_, &QPushButton::clicked, this, [this] { end_by(EndInput::close_button); });
    findChild<QPushButton*>(qt_text(main_default_button))->setDefault(true);

    for (const auto& [caption, list] : main_captions) {
        findChild<QLabel*>(qt_text(caption))->setBuddy(control(list));
        control(list)->setAccessibleName(qt_text(caption_of(list)));
    }
    for (std::size_t i = 0; i + 1 < main_tab_order.size(); ++i)
        setTabOrder(control(main_tab_order.at(i)), control(main_tab_order.at(i + 1)));

    give_drive2_a_menu(findChild<DriveCombo*>(QStringLiteral("Drive2")));

    for (std::size_t i = 0; i < lock_order.size(); ++i)
        locked_.at(i) = control(locked_control_name(lock_order.at(i)));
    redraw_on(model.controls.changed, this, &Kadoru10::show_enabled);
    show_enabled();

    control(main_tab_order.front())->setFocus(Qt::OtherFocusReason);
}

QWidget* Kadoru10::control(std::string_view name) const {
    return findChild<QWidget*>(qt_text(name), Qt::FindDirectChildrenOnly);
}

QWidget* Kadoru10::make(const ControlLayout& layout) {
    switch (layout.kind) {
    case ControlKind::caption:
        return child<QLabel>(this, qt_text(layout.caption));
    case ControlKind::figure:
        return figure(main_figure(model_, layout.name));
    case ControlKind::button:
        return button(layout);
    case ControlKind::picture_button:
        return picture_button(layout);
    case ControlKind::folder_list:
        return child<FolderTree>(this, model_.dir1, actions_, errors_);
    case ControlKind::drive_list:
        return layout.name == "Drive1"
                   ? child<DriveCombo>(this, model_.drive1, DriveSide::source, actions_, errors_)
                   : child<DriveCombo>(this, model_.drive2, DriveSide::destination, actions_,
                                       errors_);
    case ControlKind::type_list:
        return child<TypeCombo>(this, model_.combo_ftype, actions_, errors_);
    case ControlKind::file_list:
        return child<FileListView>(this, model_.file1, actions_, errors_);
    case ControlKind::transfer_list:
        return child<TransferListView>(this, model_.list2, actions_, errors_);
    }
    throw std::logic_error("a control of no kind");
}

void Kadoru10::show_song_details(SongDetailsReader& songs) {
    for (const char* name : {"File1", "List2"}) {
        auto* view = findChild<QAbstractItemView*>(QString::fromLatin1(name));
        lazy_tool_tip(*view->viewport(), [this, &songs, view, name](QPoint place) {
            const QModelIndex index = view->indexAt(place);
            return index.isValid() ? qt_text(main_tip(model_, songs, name, index.row()))
                                   : QString();
        });
    }
    lazy_tool_tip(*findChild<QLabel*>(QStringLiteral("Label7")), [this, &songs](QPoint) {
        return qt_text(main_tip(model_, songs, "Label7", -1));
    });
}

QLabel* Kadoru10::figure(const Label& label) {
    auto* view = child<QLabel>(this);
    view->setTextFormat(Qt::PlainText);
    const auto draw = [view = QPointer(view), &label] {
        if (view)
            view->setText(qt_text(label.text()));
    };
    label.changed.connect(draw);
    draw();
    return view;
}

QPushButton* Kadoru10::button(const ControlLayout& layout) {
    auto* button = child<QPushButton>(this, qt_text(layout.caption));
    if (layout.press != nullptr)
        connect(button, &QPushButton::clicked, this,
                [this, action = layout.press] { guarded(errors_, [&] { (actions_.*action)(); }); });
    return button;
}

QPushButton* Kadoru10::picture_button(const ControlLayout& layout) {
    auto* button = this->button(layout);
    button->setText({});
    const QPixmap pixmap(QStringLiteral(":/kadoru/%1.xpm").arg(qt_text(layout.picture)));
    // The pictures are opaque, so the style cannot grey them out by itself: a locked
    // button shows its arrow in grey instead of black.
    QImage faded = pixmap.toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < faded.height(); ++y)
        for (int x = 0; x < faded.width(); ++x)
            if (qGray(faded.pixel(x, y)) < 64)
                faded.setPixel(x, y, qRgb(150, 150, 150));
    QIcon icon(pixmap);
    icon.addPixmap(QPixmap::fromImage(faded), QIcon::Disabled);
    button->setIcon(icon);
    button->setIconSize(pixmap.size());
    button->setToolTip(qt_text(layout.caption));
    button->setAccessibleName(qt_text(layout.caption));
    return button;
}

void Kadoru10::show_enabled() {
    for (std::size_t i = 0; i < lock_order.size(); ++i)
        locked_.at(i)->setEnabled(model_.controls.enabled(lock_order.at(i)));
    // A run locks the card's arranging as well, and an arrangement the run.
    if (card_order_)
        card_order_->show_enabled();
}

void Kadoru10::end_by(EndInput input) {
    if (!end_.ends(input, b_cancel_->isEnabled()))
        return;
    guarded(errors_, [&] { (actions_.*WindowEnd::action_of(input))(); });
    end_program_();
}

void Kadoru10::closeEvent(QCloseEvent* event) {
    QDialog::closeEvent(event);
    // The last window closing would end an idle program by itself, but during a run
    // the progress window is still up and the run would go on.
    if (event->isAccepted())
        end_by(EndInput::close_box);
}

void Kadoru10::give_drive2_a_menu(DriveCombo* drive2) {
    drive2_menu_ = child<QMenu>(drive2);
    drive2_menu_->setObjectName(QStringLiteral("Drive2Menu"));
    for (const MenuEntry& entry : destination_menu(actions_)) {
        QAction* action = drive2_menu_->addAction(qt_text(entry.text));
        action->setObjectName(qt_text(entry.name));
        connect(action, &QAction::triggered, this, [this, command = entry.command] {
            if (command == MenuCommand::show_card_order)
                show_card_order();
            else
                guarded(errors_, [this] { actions_.eject_card(); });
        });
    }
    connect(drive2_menu_, &QMenu::aboutToShow, this, [this] {
        std::vector<MenuEntry> entries;
        guarded(errors_, [&] { entries = destination_menu(actions_); });
        for (const MenuEntry& entry : entries) {
            auto* action = drive2_menu_->findChild<QAction*>(qt_text(entry.name));
            action->setVisible(entry.shown);
            action->setEnabled(entry.enabled);
        }
    });
    drive2->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(drive2, &QWidget::customContextMenuRequested, this,
            [this, drive2](QPoint at) { drive2_menu_->popup(drive2->mapToGlobal(at)); });
    // The menu key reaches the menu by itself; Shift+F10 is its other key on desktops.
    auto* shift_f10 = child<QShortcut>(drive2, QKeySequence(Qt::SHIFT | Qt::Key_F10));
    shift_f10->setContext(Qt::WidgetWithChildrenShortcut);
    connect(shift_f10, &QShortcut::activated, this,
            [drive2] { emit drive2->customContextMenuRequested(drive2->rect().center()); });
}

void Kadoru10::show_card_order() {
    guarded(errors_, [this] {
        const CardOrder order = actions_.card_order();
        if (!card_order_)
            card_order_ = child<CardOrderWindow>(this, actions_, errors_);
        card_order_->show_order(order);
    });
}

void Kadoru10::keyPressEvent(QKeyEvent* event) {
    // A dialog would hide itself on Escape; this window must not, not even while
    // Close is disabled during a run.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        end_by(EndInput::escape);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace kadoru
