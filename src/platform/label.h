#pragma once

#include "platform/notifier.h"

#include <string>
#include <utility>

namespace kadoru {

// A line of static text whose caption the program sets.
class Label {
public:
    const std::string& text() const { return text_; }
    void set_text(std::string text) {
        text_ = std::move(text);
        changed.notify();
    }

    Notifier changed;

private:
    std::string text_;
};

} // namespace kadoru
