#pragma once

#include "app/main_actions.h"
#include "platform/place.h"
#include "platform/window_texts.h"
#include "transfer/control_lock.h"

#include <array>
#include <string_view>

namespace kadoru {

class Label;
struct MainViewModel;

// The main window kadoru10 as data. A window (Qt or Win32) creates the controls of
// main_controls in that order, each at its place (pixels of the client area, at 96
// dpi: a window scales them with its dpi), with its caption; a list or figure takes
// its rows or text from the view-model, a button presses its action. It then sets
// the tab order, the default and cancel buttons, and disables the controls of
// lock_order as the view-model's ControlStates say. Each caption comes right before
// the list it names, so that Win32's dialog manager names the list by it; a window
// also gives each list its caption as its accessible name (main_captions).
enum class ControlKind {
    caption,        // static text
    figure,         // static text the program sets: one of the view-model's labels
    button,         // push button; its text is the caption
    picture_button, // push button showing `picture`; its caption is its tooltip
    folder_list,    // Dir1
    drive_list,     // Drive1, Drive2
    type_list,      // Combo_ftype: an editable drop-down
    file_list,      // File1
    transfer_list,  // List2
};

struct ControlLayout {
    std::string_view name;
    ControlKind kind;
    std::string_view caption;
    Place place;
    void (MainActions::*press)() = nullptr; // a button's action
    std::string_view picture = {};          // a picture button's picture
};

inline constexpr Place main_client_area{0, 0, 488, 400};
// The controls are placed in fixed pixels, so the text is sized in pixels too: the
// largest size at which every caption fits its label.
inline constexpr int main_text_pixels = 11;

namespace wt = window_text;
inline constexpr auto main_controls = std::to_array<ControlLayout>({
    // Top band: the source folder on the left; the drives and the file type on the right.
    {"Label1", ControlKind::caption, wt::folder, {32, 8, 65, 17}},
    {"Dir1", ControlKind::folder_list, {}, {24, 24, 209, 118}},
    {"Label2", ControlKind::caption, wt::source_drive, {264, 8, 79, 17}},
    {"Drive1", ControlKind::drive_list, {}, {264, 24, 89, 20}},
    {"Command7", ControlKind::button, wt::refresh, {375, 24, 64, 21}, &MainActions::refresh},
    {"Label6", ControlKind::caption, wt::destination_drive, {264, 56, 85, 17}},
    {"Drive2", ControlKind::drive_list, {}, {264, 72, 89, 20}},
    {"Label10", ControlKind::caption, wt::capacity, {362, 65, 57, 13}},
    {"Label11", ControlKind::figure, {}, {394, 65, 67, 15}},
    {"Label5", ControlKind::caption, wt::free_space, {362, 81, 57, 17}},
    {"Label8", ControlKind::figure, {}, {414, 81, 59, 15}},
    {"Label12", ControlKind::caption, wt::file_type, {264, 104, 85, 17}},
    {"Combo_ftype", ControlKind::type_list, {}, {264, 120, 89, 20}},
    // Middle band: the source files and the transfer list, each under its caption and total.
    {"Label3", ControlKind::caption, wt::file_list, {24, 152, 89, 17}},
    {"File1", ControlKind::file_list, {}, {24, 168, 209, 138}},
    {"Label9", ControlKind::figure, {}, {128, 152, 97, 17}},
    {"Label4", ControlKind::caption, wt::transfer_list, {256, 152, 65, 17}},
    {"List2", ControlKind::transfer_list, {}, {256, 168, 209, 136}},
    {"Label7", ControlKind::figure, {}, {344, 152, 113, 17}},
    // Bottom band: the list commands, then Start and Close.
    {"Command1", ControlKind::button, wt::add, {48, 312, 65, 25}, &MainActions::add},
    {"Command6", ControlKind::button, wt::add_all, {120, 312, 65, 25}, &MainActions::add_all},
    {"Command4",
     ControlKind::picture_button,
     wt::move_up,
     {272, 312, 25, 25},
     &MainActions::move_up,
     "arrow_up"},
    {"Command5",
     ControlKind::picture_button,
     wt::move_down,
     {296, 312, 25, 25},
     &MainActions::move_down,
     "arrow_down"},
    {"Command2", ControlKind::button, wt::remove, {328, 312, 65, 25}, &MainActions::remove},
    {"Command3", ControlKind::button, wt::clear, {400, 312, 57, 25}, &MainActions::clear},
    {"b_ok", ControlKind::button, wt::start, {168, 360, 81, 25}, &MainActions::start},
    // Close saves and then ends the window (MainActions::close); Escape presses it.
    {"b_cancel", ControlKind::button, wt::close, {264, 360, 81, 25}},
});

// Enter presses the default button unless another button has the focus; Escape
// presses the cancel button while it is enabled.
inline constexpr std::string_view main_default_button = "b_ok";
inline constexpr std::string_view main_cancel_button = "b_cancel";

// The order Tab goes through the controls, and round again; the first has the
// focus when the window opens.
inline constexpr std::array<std::string_view, 15> main_tab_order = {
    "Drive1",   "b_ok",  "b_cancel", "Dir1",     "Drive2",   "List2",       "Command1", "Command3",
    "Command2", "File1", "Command4", "Command5", "Command6", "Combo_ftype", "Command7"};

// Which list each caption names, to people and to assistive technology.
struct Captioned {
    std::string_view caption;
    std::string_view list;
};
inline constexpr std::array<Captioned, 6> main_captions{{
    {"Label1", "Dir1"},
    {"Label2", "Drive1"},
    {"Label6", "Drive2"},
    {"Label12", "Combo_ftype"},
    {"Label3", "File1"},
    {"Label4", "List2"},
}};

// The control each entry of the run's lock switches.
std::string_view locked_control_name(LockedControl control);

// The view-model's label a figure draws.
const Label& main_figure(const MainViewModel& model, std::string_view name);
// The caption that names a list, as its accessible name: empty for no list.
std::string_view caption_of(std::string_view list);

} // namespace kadoru
