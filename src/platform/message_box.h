#pragma once

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

// The two failure messages every handler shows.
std::string not_ready_message(std::string_view drive);
std::string error_message(int code);
// The one a failure calls for: a drive not ready by its name, where the failure
// names it; anything else by its number.
std::string failure_message(const Failure& failure);

} // namespace kadoru
