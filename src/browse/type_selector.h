#pragma once

#include "platform/notifier.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kadoru {

// The logic of the file type selector (Combo_ftype): an editable text and a list of
// items. Choosing an item sets the text and runs on_click; typing runs nothing.
class TypeSelector {
public:
    const std::string& text() const { return text_; }
    // The text as typed or set by the program; runs nothing.
    void set_text(std::string text) {
        text_ = std::move(text);
        changed.notify();
    }
    const std::vector<std::string>& items() const { return items_; }
    void clear() {
        items_.clear();
        changed.notify();
    }
    void add_item(std::string item) {
        items_.push_back(std::move(item));
        changed.notify();
    }
    // The user picked item i from the list.
    void choose(int i) {
        set_text(items_.at(static_cast<std::size_t>(i)));
        if (on_click)
            on_click();
    }

    std::function<void()> on_click;
    Notifier changed;

private:
    std::string text_ = "MP3";
    std::vector<std::string> items_;
};

} // namespace kadoru
