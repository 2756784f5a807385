#include "platform/guard.h"

#include "platform/failure.h"

namespace kadoru {

void report_escaped(MessageBox& box, const std::exception& error) noexcept {
    try {
        box.show(failure_message(as_failure(error)));
    } catch (...) { // NOLINT(bugprone-empty-catch): nothing is left to tell the user with
    }
}

} // namespace kadoru
