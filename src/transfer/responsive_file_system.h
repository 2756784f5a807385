#pragma once

#include "platform/card_files.h"

#include <memory>

namespace kadoru {

class RunEvents;

// The card as the run reaches it. Each call is made on a worker thread
// while the calling thread, the window's, lets events run whenever wait_paint_slice
// has passed since they last ran. How long one write or flush blocks depends on the
// card, not on us, so cutting the work into pieces could not bound the window's
// silence; a call that does not hold up the window's thread at all does. The calls
// still come one at a time and in the run's order, and the run's logic stays on the
// window's thread, so nothing else changes for it.
//
// When the events that run inside a call end the program (or throw anything else),
// a copy under way stops and removes its partial file, any other call is let
// finish, and the exception goes on to the run.
//
// medium and events outlive the card returned.
std::unique_ptr<CardFiles> responsive_card(CardFiles& medium, RunEvents& events);

} // namespace kadoru
