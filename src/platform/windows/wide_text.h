#pragma once

#include <string>
#include <string_view>

namespace kadoru {

// The program keeps paths in UTF-8; Win32's wide calls take UTF-16. These are the
// only crossings, so no path ever passes through the ANSI code page.
std::wstring to_wide(std::string_view utf8);
std::string to_utf8(std::wstring_view wide);

} // namespace kadoru
