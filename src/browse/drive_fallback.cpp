#include "browse/drive_fallback.h"

#include "platform/drive_selector.h"
#include "platform/failure.h"
#include "platform/message_box.h"

namespace kadoru {

void fall_back_unless_ready(const Failure& failure, int not_ready, DriveSelector& list,
                            const std::function<std::string()>& back, MessageBox& messages) {
    if (failure.code() != not_ready) {
        messages.show(failure_message(failure, Telling::by_number));
        return;
    }
    messages.show(not_ready_message(list.drive()));
    try {
        list.assign(back());
    } catch (const Failure& again) {
        messages.show(failure_message(again, Telling::by_number));
    }
}

} // namespace kadoru
