#pragma once

#include "win32/window_handles.h"

namespace kadoru {

class MainActions;
class MessageBox;

// The main window kadoru10: a dialog-class window (Tab, Enter and Escape through the
// dialog manager) that draws the view-model and turns each input into one intent.
// Close and the close box only post the quit: during a run they arrive inside the
// run's nested loop, and the window's objects must outlive that loop.
class Kadoru10 final {
public:
    Kadoru10(MainActions& actions, MessageBox& errors);
    ~Kadoru10();
    Kadoru10(const Kadoru10&) = delete;
    Kadoru10& operator=(const Kadoru10&) = delete;
    Kadoru10(Kadoru10&&) = delete;
    Kadoru10& operator=(Kadoru10&&) = delete;

    HWND window() const { return window_.get(); }
    // The control Close; its input passes while the run holds the user's input.
    HWND close_button() const;

    LRESULT handle(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    MessageBox& errors() const { return errors_; }

private:
    void command(int id);
    void end_program(bool save);

    MainActions& actions_;
    MessageBox& errors_;
    bool ending_ = false;
    UniqueFont font_;
    UniqueWindow window_;
};

} // namespace kadoru
