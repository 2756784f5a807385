#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace kadoru {

// Tells the views that a piece of state changed, so they can draw it again.
// Views connect once when the window is built and live as long as the state.
// Connecting is no change of the state: a window that may only read the
// view-model still subscribes to it.
class Notifier {
public:
    using Slot = std::function<void()>;

    void connect(Slot slot) const { slots_.push_back(std::move(slot)); }
    void notify() const {
        for (const auto& slot : slots_)
            slot();
    }

private:
    mutable std::vector<Slot> slots_;
};

} // namespace kadoru
