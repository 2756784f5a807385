#include "browse/card_removal.h"

#include "platform/card_ejector.h"
#include "platform/drives.h"
#include "platform/failure.h"
#include "platform/message_box.h"

namespace kadoru {

bool can_eject(const Drives& drives, std::string_view drive) {
    return drives.is_ready(drive) && !drives.is_fixed(drive);
}

bool eject_card(const Drives& drives, CardEjector& ejector, MessageBox& messages,
                std::string_view drive) {
    std::string root;
    try {
        root = drives.root_of(drive);
    } catch (const Failure&) {
        // Pulled since the menu opened: nothing left to remove, the destination falls back.
        return true;
    }
    try {
        ejector.eject(root);
    } catch (const Failure& failure) {
        messages.show(failure_message(failure.on_drive(std::string(drive)), Telling::removal));
        return false;
    }
    return true;
}

} // namespace kadoru
