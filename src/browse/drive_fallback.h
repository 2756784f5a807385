#pragma once

#include <functional>
#include <string>

namespace kadoru {

class DriveSelector;
class Failure;
class MessageBox;

// How a drive list's handler answers a drive it could not use. The failure that
// means the drive is not ready (not_ready) is reported and the list goes back to
// what back() then names; any other is shown and the list stays. A failure of
// going back is shown too: nothing leaves the handler.
void fall_back_unless_ready(const Failure& failure, int not_ready, DriveSelector& list,
                            const std::function<std::string()>& back, MessageBox& messages);

} // namespace kadoru
