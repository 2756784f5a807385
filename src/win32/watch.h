#pragma once

#include "platform/notifier.h"

#include <memory>

namespace kadoru {

// Runs `draw` now and after each change the notifier tells, while the window lives:
// `alive` is the window's, false (or gone) once it is taken apart, since a notifier
// may outlive the window that connected to it.
template <class Draw>
void watch(const Notifier& notifier, const std::shared_ptr<bool>& alive, Draw draw) {
    notifier.connect([alive = std::weak_ptr<bool>(alive), draw] {
        if (const auto living = alive.lock(); living && *living)
            draw();
    });
    draw();
}

} // namespace kadoru
