#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace kadoru {

// Tells the views that a piece of state changed, so they can draw it again.
// Views connect once when the window is built and live as long as the state.
class Notifier {
public:
    using Slot = std::function<void()>;

    void connect(Slot slot) { slots_.push_back(std::move(slot)); }
    void notify() const {
        for (const auto& slot : slots_)
            slot();
    }

private:
    std::vector<Slot> slots_;
};

} // namespace kadoru
