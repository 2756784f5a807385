#pragma once

#include "platform/exfat/exfat_root.h"

#include <optional>
#include <string>
#include <vector>

namespace kadoru {

// The exFAT root reader on a device or image file, read with pread.
bool is_exfat_volume(const std::string& device);
std::optional<std::vector<std::string>> exfat_root_names(const std::string& device);

} // namespace kadoru
