#pragma once

#include <string>

namespace kadoru {

// The size display rule used for every size on the main window: whole kilobytes of
// 1000 bytes; below 1000 KB as "KB", then "MB" and "GB" with at most two decimals
// (ties to even), no separators, "." as decimal point. 1234567 -> "1.23MB".
std::string format_size(double bytes);

} // namespace kadoru
