#pragma once

#include "app/main_layout.h"
#include "app/main_menus.h"
#include "app/window_end.h"
#include "platform/list_intents.h"
#include "win32/card_order_window.h"
#include "win32/folder_tree_view.h"
#include "win32/list_box_view.h"
#include "win32/playlist_dialogs.h"
#include "win32/transfer_list_input.h"
#include "win32/window_handles.h"

#include <memory>
#include <string_view>
#include <vector>

namespace kadoru {

class MainIntents;
class MessageBox;
struct MainViewModel;

// The main window kadoru10, drawn from the layout table: a dialog-class window (Tab,
// Enter and Escape through the dialog manager) that draws the read-only view-model and
// turns each input into one intent, inside the guard. A locked control takes no
// command, whoever sends it. Close and the close box only post the quit: during a run
// they arrive inside the run's nested loop, and this object must outlive that loop.
class Kadoru10 final {
public:
    Kadoru10(const MainViewModel& model, MainIntents& intents, MessageBox& errors);
    ~Kadoru10();
    Kadoru10(const Kadoru10&) = delete;
    Kadoru10& operator=(const Kadoru10&) = delete;
    Kadoru10(Kadoru10&&) = delete;
    Kadoru10& operator=(Kadoru10&&) = delete;

    HWND window() const { return window_.get(); }
    // A control by its name in the layout table; nullptr for none.
    HWND control(std::string_view name) const;
    // Shows the window with the focus on the first control of the tab order.
    void show(int how);

    LRESULT handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    // What picking an entry of List2's or Drive2's context menu does; the playlist
    // entries open the system's file dialog first. Does nothing while locked.
    void menu_command(MenuCommand command);
    // The order window, once Drive2's menu has shown it; nullptr before.
    CardOrderWindow* card_order_window() const { return card_order_.get(); }
    MessageBox& errors() const { return errors_; }

private:
    void create_controls(int dpi);
    HWND make(const ControlLayout& layout, int id, int dpi);
    void give_pictures_and_tips();
    void connect_views();
    void show_enabled() const;
    // Drive1's or Drive2's rows, read anew, with the selector's drive picked.
    void draw_drives(DriveSide side);
    void command(int id, int code, HWND from);
    void list_command(const ControlLayout& layout, int code);
    LRESULT notify(const NMHDR& header);
    // List2's and Drive2's context menus, asked for anew each time one opens.
    void context_menu(HWND from, LPARAM at);
    void end_by(EndInput input);
    template <class Action> void send(Action&& action);

    static LRESULT CALLBACK file_list_input(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                            UINT_PTR id, DWORD_PTR self);

    const MainViewModel& model_;
    MainIntents& intents_;
    MessageBox& errors_;
    WindowEnd end_;
    // Before the window: they are deleted after it.
    UniqueFont font_;
    std::vector<UniqueGdi> pictures_;
    UniqueWindow window_;
    // Each control of main_controls, in the table's order.
    std::vector<HWND> controls_;
    std::unique_ptr<ListBoxView> file1_;
    std::unique_ptr<ListBoxView> list2_;
    std::unique_ptr<FolderTreeView> dir1_;
    // Drive1's and Drive2's rows as last drawn: a pick names the row's drive.
    std::vector<std::string> drive1_rows_;
    std::vector<std::string> drive2_rows_;
    PlaylistDialogs playlists_;
    // After the window: it goes while List2 is still there.
    std::unique_ptr<TransferListInput> list2_input_;
    std::unique_ptr<CardOrderWindow> card_order_;
    // Told to the view-model's notifiers: false once this window is gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace kadoru
