#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace kadoru {

inline constexpr std::string_view app_title = "Kadoru";

enum class Buttons { ok, yes_no_cancel, yes_no };
enum class Answer { ok, yes, no, cancel };

// A modal message box without an icon. For yes_no_cancel, Yes is the default and
// closing the box answers cancel. For yes_no, which asks before something may be
// lost, No is the default and closing the box answers no.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual Answer show(std::string_view text, std::string_view title = app_title,
                        Buttons buttons = Buttons::ok) = 0;
};

class Failure;

// How a message tells a failure. Every message that tells one is made here, by
// failure_message, so that each handler only chooses how: a handler that tells a
// failure shows failure_message; one that does not lets the Failure leave, and the
// window's guard tells it (generically).
enum class Telling {
    generic,   // a drive not ready by its name, where the failure names it; else its number
    by_number, // "Error：" and its number, whatever it is
    described, // its description and number, as the folder handler tells it: "…(76)"
    removal,   // a removal that failed: which drive (the failure's), then why
};
std::string failure_message(const Failure& failure, Telling how = Telling::generic);

// The two texts of the generic telling, for a drive or a number known without a Failure.
std::string not_ready_message(std::string_view drive);
std::string error_message(int code);

// What escapes as anything but a Failure (a full list's std::length_error, a bad
// allocation) is a fault of the program itself: told as Error 51.
Failure as_failure(const std::exception& error);

} // namespace kadoru
