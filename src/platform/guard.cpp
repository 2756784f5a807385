#include "platform/guard.h"

#include "platform/failure.h"

namespace kadoru {

void report_escaped(MessageBox& box, const std::exception& error) noexcept {
    const auto* failure = dynamic_cast<const Failure*>(&error);
    try {
        box.show(failure != nullptr ? failure_message(*failure)
                                    : error_message(failure_code::internal_error));
    } catch (...) { // NOLINT(bugprone-empty-catch): nothing is left to tell the user with
    }
}

} // namespace kadoru
