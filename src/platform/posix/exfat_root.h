#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kadoru {

// Whether the device (or image file) holds an exFAT volume, by its boot sector.
// False when it cannot be read.
bool is_exfat_volume(const std::string& device);

// The names in the root folder of the exFAT volume on a device or image file, in
// the order of their directory entries on the medium; nullopt when it holds no
// exFAT volume, cannot be read or its root folder is damaged.
std::optional<std::vector<std::string>> exfat_root_names(const std::string& device);

} // namespace kadoru
