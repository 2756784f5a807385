#pragma once

#include "platform/desktop_notice.h"
#include "platform/message_box.h"

namespace kadoru {

// The transfer run's messages. Each one that only tells (finished, failed, order
// differs) is also posted as a desktop notice before its box opens, so a run that
// ends while the window is behind others does not go unnoticed; the notice itself
// shows only then.
class RunEndMessages final : public MessageBox {
public:
    RunEndMessages(MessageBox& messages, DesktopNotice& notice)
        : messages_(messages), notice_(notice) {}

    Answer show(std::string_view text, std::string_view title = app_title,
                Buttons buttons = Buttons::ok) override {
        if (buttons == Buttons::ok)
            notice_.post(text);
        return messages_.show(text, title, buttons);
    }

private:
    MessageBox& messages_;
    DesktopNotice& notice_;
};

} // namespace kadoru
