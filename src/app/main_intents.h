#pragma once

#include "app/main_actions.h"
#include "platform/list_intents.h"

namespace kadoru {

// The one input channel of the main window and its order window: every button,
// menu command, list selection, click, pick and typed text is one call here.
// What a window (Qt or Win32) must do with it:
// - call exactly one intent per user input, and reach the logic no other way;
// - read the view-model (MainViewModel) and redraw on its notifiers, never write it
//   nor call a handler it carries;
// - apply no rule of its own: the event rules, the menus' enabled entries, the
//   layout and every text come from below the toolkit (ListIntents, main_menus.h,
//   main_layout.h, window_texts.h);
// - run every call inside its guard, which tells the user what the call throws.
class MainIntents : public MainActions, public ListIntents {};

} // namespace kadoru
