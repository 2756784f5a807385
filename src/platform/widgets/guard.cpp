#include "platform/widgets/guard.h"

#include "platform/failure.h"

namespace kadoru {

namespace {
// The classic run-time number of an invalid procedure call or argument.
constexpr int invalid_call = 5;
} // namespace

void report_escaped(MessageBox& box, const std::exception& error) noexcept {
    const auto* failure = dynamic_cast<const Failure*>(&error);
    try {
        box.show(error_message(failure != nullptr ? failure->code() : invalid_call));
    } catch (...) { // NOLINT(bugprone-empty-catch): nothing is left to tell the user with
    }
}

} // namespace kadoru
