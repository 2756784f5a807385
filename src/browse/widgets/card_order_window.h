#pragma once

#include "browse/card_order_model.h"
#include "platform/message_box.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QWidget;

namespace kadoru {

class ArrangedListView;

// A small window beside the main one that lists the destination's root folder in
// the order of its entries, with their sizes, and says whether that order is the
// one stored on the card. Not modal. Where the actions allow it, it also lets the
// user put the card's songs in another order and has the actions arrange the card
// so. It draws its CardOrderModel and sends it every input; it decides nothing.
class CardOrderWindow final : public QDialog {
    Q_OBJECT

public:
    // actions and errors outlive the window; errors tells what escapes the actions.
    CardOrderWindow(CardOrderActions& actions, MessageBox& errors, QWidget* parent);

    // Shows this order in place of the last one, and brings the window up.
    void show_order(const CardOrder& order);
    // Offers arranging only where the actions allow it now (no run under way).
    void show_enabled();

private:
    QPushButton* button(std::string_view text, const char* name, void (CardOrderWindow::*run)());
    QPushButton* picture_button(const char* picture, std::string_view tooltip, const char* name,
                                void (CardOrderWindow::*run)());
    void draw_order();
    void begin_arranging();
    void confirm();
    void cancel();
    void move_up();
    void move_down();
    void sort_by_name();
    void sort_by_track();

    MessageBox& errors_;
    CardOrderModel model_;

    QLabel* caption_ = nullptr;
    QTreeWidget* list_ = nullptr;
    ArrangedListView* songs_view_ = nullptr;
    QWidget* song_commands_ = nullptr;
    QLabel* note_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* arrange_ = nullptr;
    QPushButton* confirm_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace kadoru
