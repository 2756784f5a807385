#pragma once

#include "app/main_actions.h"

namespace kadoru {

// The ways a user ends the main window.
enum class EndInput {
    close_button, // Close
    escape,       // Escape: presses Close, but only while Close is enabled
    close_box,    // the window's own close box
};

// How the main window ends, the same for every window. Close saves the settings and
// ends the program, even when saving failed (the window tells the failure first);
// the close box ends it without saving, during a run as well. Ending closes every
// window, this one too: the close that this brings is no input of the user's.
// A window asks ends(); when true it runs action_of(input), guarded, then ends the
// program.
class WindowEnd {
public:
    bool ends(EndInput input, bool close_enabled) {
        if (input == EndInput::escape && !close_enabled)
            return false;
        if (input == EndInput::close_box && ending_)
            return false;
        ending_ = true;
        return true;
    }
    static constexpr void (MainActions::*action_of(EndInput input))() {
        return input == EndInput::close_box ? &MainActions::end : &MainActions::close;
    }

private:
    bool ending_ = false;
};

} // namespace kadoru
