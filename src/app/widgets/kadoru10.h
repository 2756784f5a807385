#pragma once

#include "app/main_intents.h"
#include "app/main_layout.h"
#include "app/main_tips.h"
#include "app/main_view_model.h"
#include "app/window_end.h"
#include "platform/message_box.h"

#include <array>
#include <functional>
#include <string_view>

#include <QDialog>
#include <QPointer>

class QLabel;
class QMenu;
class QPushButton;

namespace kadoru {

class SongDetailsReader;
class CardOrderWindow;
class DriveCombo;

// The main window: builds itself from the layout data, draws the view-model and
// sends every input as an intent. It decides nothing itself. A dialog, so that
// Enter presses Start unless another button has the focus, as in any dialog.
class Kadoru10 final : public QDialog {
    Q_OBJECT

public:
    // How the program ends after Close has saved: every window closes and the
    // event loop stops. Tests give a stand-in.
    using EndProgram = std::function<void()>;

    // model, actions and errors outlive the window. errors shows what escapes the logic.
    Kadoru10(const MainViewModel& model, MainIntents& actions, MessageBox& errors,
             EndProgram end_program = end_application, QWidget* parent = nullptr);

    static void end_application();

    // Hovering a row of File1 or List2 shows its song's details, hovering Label7
    // the transfer list's total playing time; read from songs, which outlives the
    // window, only when asked for.
    void show_song_details(SongDetailsReader& songs);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The close box ends the program without saving, during a run as well.
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* make(const ControlLayout& layout);
    QLabel* figure(const Label& label);
    QPushButton* button(const ControlLayout& layout);
    QPushButton* picture_button(const ControlLayout& layout);
    QWidget* control(std::string_view name) const;
    void show_enabled();
    void end_by(EndInput input);
    void give_drive2_a_menu(DriveCombo* drive2);
    void show_card_order();

    const MainViewModel& model_;
    MainIntents& actions_;
    MessageBox& errors_;
    EndProgram end_program_;
    std::array<QWidget*, lock_order.size()> locked_{};
    QPushButton* b_cancel_ = nullptr;
    WindowEnd end_;
    QMenu* drive2_menu_ = nullptr;
    QPointer<CardOrderWindow> card_order_; // made on first use, kept open beside the window
};

} // namespace kadoru
