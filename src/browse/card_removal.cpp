#include "browse/card_removal.h"

#include "platform/card_ejector.h"
#include "platform/drives.h"
#include "platform/failure.h"
#include "platform/message_box.h"

namespace kadoru {

std::string card_unmounted_message(std::string_view drive, std::string_view reason) {
    return "ドライブ" + std::string(drive) +
           "のファイルシステムはアンマウントしました。カードを抜いても安全です。\nただし、ドライ"
           "ブの電源を切れませんでした\n" +
           std::string(reason);
}

bool can_eject(const Drives& drives, const CardEjector& ejector, std::string_view drive) {
    if (!drives.is_ready(drive))
        return false;
    switch (ejector.removable(drives.root_of(drive))) {
    case Removable::yes:
        return true;
    case Removable::no:
        return false;
    case Removable::unknown:
        break;
    }
    return !drives.is_fixed(drive);
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
        if (const auto left = ejector.eject(root))
            messages.show(card_unmounted_message(drive, *left));
    } catch (const Failure& failure) {
        messages.show(failure_message(failure.on_drive(std::string(drive)), Telling::removal));
        return false;
    }
    return true;
}

} // namespace kadoru
