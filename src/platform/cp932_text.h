#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kadoru {

// The UTF-8 text of bytes written in Windows' Japanese code page (CP932, the Shift_JIS
// that Japanese players and Windows tools write); nullopt when the bytes are not CP932.
// A pure conversion: each system supplies it from its own converter (linux/: iconv).
std::optional<std::string> cp932_to_utf8(std::string_view bytes);

} // namespace kadoru
