#include "app/widgets/kadoru10.h"

#include "app/widgets/transfer_list_view.h"
#include "browse/card_removal.h"
#include "browse/widgets/card_order_window.h"
#include "platform/guard.h"
#include "platform/paths.h"
#include "platform/song_tip.h"
#include "platform/widgets/drive_combo.h"
#include "platform/widgets/file_list_view.h"
#include "platform/widgets/folder_tree.h"
#include "platform/widgets/lazy_tool_tip.h"
#include "platform/widgets/qt_child.h"
#include "platform/widgets/qt_text.h"
#include "platform/widgets/type_combo.h"
#include "transfer_list/playing_time.h"

#include <array>
#include <utility>

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

namespace {

// The window's client area: the controls keep their places, so it never changes.
constexpr QSize client_area(488, 400);
// The controls are placed in fixed pixels, so the text is sized in pixels too: the
// largest size at which every caption fits its label.
constexpr int text_pixels = 11;

} // namespace

void Kadoru10::end_application() {
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

Kadoru10::Kadoru10(MainViewModel& model, MainActions& actions, MessageBox& errors,
                   EndProgram end_program, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      model_(model), actions_(actions), errors_(errors), end_program_(std::move(end_program)) {
    setObjectName(QStringLiteral("kadoru10"));
    setWindowTitle(QStringLiteral("Kadoru"));
    setWindowIcon(QIcon(QStringLiteral(":/kadoru/kadoru.png")));
    setFixedSize(client_area);
    QFont text_font = font();
    text_font.setPixelSize(text_pixels);
    setFont(text_font);

    // Top band: source folder on the left; the drives and the file type on the right.
    auto* label1 = caption("Label1", "フォルダ", {32, 8, 65, 17});
    auto* label2 = caption("Label2", "転送元ドライブ", {264, 8, 79, 17});
    auto* dir1 = child<FolderTree>(this, model.dir1, errors);
    dir1->setGeometry(24, 24, 209, 118);
    auto* drive1 = child<DriveCombo>(this, model.drive1, errors);
    drive1->setGeometry(264, 24, 89, 20);
    auto* command7 = button("Command7", "更新", {375, 24, 64, 21}, &MainActions::refresh);
    auto* label6 = caption("Label6", "転送先ドライブ", {264, 56, 85, 17});
    caption("Label10", "容量：", {362, 65, 57, 13});
    figure("Label11", model.label11, {394, 65, 67, 15});
    auto* drive2 = child<DriveCombo>(this, model.drive2, errors);
    drive2->setGeometry(264, 72, 89, 20);
    caption("Label5", "空き領域：", {362, 81, 57, 17});
    figure("Label8", model.label8, {414, 81, 59, 15});
    auto* label12 = caption("Label12", "ファイルの種類", {264, 104, 85, 17});
    auto* combo_ftype = child<TypeCombo>(this, model.combo_ftype, errors);
    combo_ftype->setGeometry(264, 120, 89, 20);

    // Middle band: the source files and the transfer list, each under its caption and total.
    auto* label3 = caption("Label3", "ファイルリスト", {24, 152, 89, 17});
    figure("Label9", model.label9, {128, 152, 97, 17});
    auto* label4 = caption("Label4", "転送リスト", {256, 152, 65, 17});
    figure("Label7", model.label7, {344, 152, 113, 17});
    auto* file1 = child<FileListView>(this, model.file1, errors);
    file1->setGeometry(24, 168, 209, 138);
    auto* list2 = child<TransferListView>(this, model.list2, actions, errors);
    list2->setGeometry(256, 168, 209, 136);

    // Bottom band: the list commands, then Start and Close.
    auto* command1 = button("Command1", "追加", {48, 312, 65, 25}, &MainActions::add);
    auto* command6 = button("Command6", "全て追加", {120, 312, 65, 25}, &MainActions::add_all);
    auto* command4 = picture_button("Command4", "arrow_up", "１つ上に移動します",
                                    {272, 312, 25, 25}, &MainActions::move_up);
    auto* command5 = picture_button("Command5", "arrow_down", "１つ下に移動します",
                                    {296, 312, 25, 25}, &MainActions::move_down);
    auto* command2 = button("Command2", "削除", {328, 312, 65, 25}, &MainActions::remove);
    auto* command3 = button("Command3", "全消去", {400, 312, 57, 25}, &MainActions::clear);
    auto* b_ok = button("b_ok", "Start", {168, 360, 81, 25}, &MainActions::start);
    b_cancel_ = button("b_cancel", "Close", {264, 360, 81, 25}, nullptr);
    b_ok->setDefault(true);
    connect(b_cancel_, &QPushButton::clicked, this, &Kadoru10::close_program);

    // Each list is known by its caption, to people and to assistive technology.
    const std::array<std::pair<QLabel*, QWidget*>, 6> captioned{{
        {label1, dir1},
        {label2, drive1},
        {label6, drive2},
        {label12, combo_ftype},
        {label3, file1},
        {label4, list2},
    }};
    for (const auto& [label, list] : captioned) {
        label->setBuddy(list);
        list->setAccessibleName(label->text());
    }
    dir1->setObjectName(QStringLiteral("Dir1"));
    drive1->setObjectName(QStringLiteral("Drive1"));
    drive2->setObjectName(QStringLiteral("Drive2"));
    combo_ftype->setObjectName(QStringLiteral("Combo_ftype"));
    file1->setObjectName(QStringLiteral("File1"));
    list2->setObjectName(QStringLiteral("List2"));

    const std::array<QWidget*, 15> focus_order{
        drive1,   b_ok,  b_cancel_, dir1,     drive2,   list2,       command1, command3,
        command2, file1, command4,  command5, command6, combo_ftype, command7};
    for (std::size_t i = 0; i + 1 < focus_order.size(); ++i)
        setTabOrder(focus_order[i], focus_order[i + 1]);

    give_drive2_a_menu(drive2);

    locked_ = {b_ok,     b_cancel_, dir1,     drive1,   drive2,   file1,      command1,
               command6, command2,  command3, command4, command5, combo_ftype};
    model.controls.changed.connect([window = QPointer(this)] {
        if (window)
            window->show_enabled();
    });
    show_enabled();

    drive1->setFocus(Qt::OtherFocusReason);
}

void Kadoru10::show_song_details(SongDetailsReader& songs) {
    const auto rows = [this](const char* name, auto row_tip) {
        auto* view = findChild<QAbstractItemView*>(QString::fromLatin1(name));
        lazy_tool_tip(*view->viewport(), [view, row_tip](QPoint place) {
            const QModelIndex index = view->indexAt(place);
            return index.isValid() ? qt_text(row_tip(index.row())) : QString();
        });
    };
    rows("File1", [this, &songs](int row) {
        return song_tip(songs, join_path(model_.file1.path(), model_.file1.row(row)));
    });
    rows("List2",
         [this, &songs](int row) { return song_tip(songs, model_.list2.row(row).source_path); });
    lazy_tool_tip(*findChild<QLabel*>(QStringLiteral("Label7")), [this, &songs](QPoint) {
        return qt_text(playing_time_tip(playing_time(model_.list2, songs)));
    });
}

QLabel* Kadoru10::caption(const char* name, const char* text, QRect place) {
    auto* label = child<QLabel>(this, qt_text(text));
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    return label;
}

QLabel* Kadoru10::figure(const char* name, Label& label, QRect place) {
    auto* view = caption(name, "", place);
    view->setTextFormat(Qt::PlainText);
    const auto draw = [view = QPointer(view), &label] {
        if (view)
            view->setText(qt_text(label.text()));
    };
    label.changed.connect(draw);
    draw();
    return view;
}

QPushButton* Kadoru10::button(const char* name, const char* text, QRect place,
                              void (MainActions::*action)()) {
    auto* button = child<QPushButton>(this, qt_text(text));
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    if (action != nullptr)
        connect(button, &QPushButton::clicked, this,
                [this, action] { guarded(errors_, [&] { (actions_.*action)(); }); });
    return button;
}

QPushButton* Kadoru10::picture_button(const char* name, const char* picture, const char* tooltip,
                                      QRect place, void (MainActions::*action)()) {
    auto* button = this->button(name, "", place, action);
    const QPixmap pixmap(QStringLiteral(":/kadoru/%1.xpm").arg(QString::fromLatin1(picture)));
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
    button->setToolTip(qt_text(tooltip));
    button->setAccessibleName(qt_text(tooltip));
    return button;
}

void Kadoru10::show_enabled() {
    for (std::size_t i = 0; i < lock_order.size(); ++i)
        locked_.at(i)->setEnabled(model_.controls.enabled(lock_order.at(i)));
    // A run locks the card's arranging as well, and an arrangement the run.
    if (card_order_)
        card_order_->show_enabled();
}

void Kadoru10::close_program() {
    ending_ = true;
    // Close ends the program even when saving failed; the user has been told.
    guarded(errors_, [this] { actions_.close(); });
    end_program_();
}

void Kadoru10::closeEvent(QCloseEvent* event) {
    QDialog::closeEvent(event);
    if (!event->isAccepted() || std::exchange(ending_, true))
        return;
    // The last window closing would end an idle program by itself, but during a run
    // the progress window is still up and the run would go on.
    guarded(errors_, [this] { actions_.end(); });
    end_program_();
}

void Kadoru10::give_drive2_a_menu(DriveCombo* drive2) {
    drive2_menu_ = child<QMenu>(drive2);
    drive2_menu_->setObjectName(QStringLiteral("Drive2Menu"));
    QAction* show_order = drive2_menu_->addAction(qt_text(card_order_command));
    show_order->setObjectName(QStringLiteral("show_card_order"));
    connect(show_order, &QAction::triggered, this, &Kadoru10::show_card_order);
    QAction* eject = drive2_menu_->addAction(qt_text(eject_command));
    eject->setObjectName(QStringLiteral("eject_card"));
    connect(eject, &QAction::triggered, this,
            [this] { guarded(errors_, [this] { actions_.eject_card(); }); });
    // Removal is offered for a card only, and not while a run writes to it.
    connect(drive2_menu_, &QMenu::aboutToShow, this, [this, eject] {
        bool offered = false;
        guarded(errors_, [&] { offered = actions_.can_eject(); });
        eject->setVisible(offered);
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
    // Escape is Close's key. A dialog would hide itself on Escape; this window must
    // not, not even while Close is disabled during a run.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (b_cancel_->isEnabled())
            b_cancel_->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace kadoru
