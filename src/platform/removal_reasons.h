#pragma once

#include "platform/failure.h"

namespace kadoru {

// The reasons a removal is refused that every system's ejector tells in the same
// words: something still has the drive open, or the user may not remove it.
Failure drive_busy_failure();
Failure removal_denied_failure();

} // namespace kadoru
