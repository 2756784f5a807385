#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kadoru {

// A volume's bytes as a device, an image file or memory holds them: its size, and
// a read of `into.size()` bytes from an offset that fails rather than run short.
struct VolumeBytes {
    std::uint64_t size = 0;
    std::function<bool(std::uint64_t offset, std::span<unsigned char> into)> read;
};

// One name in an exFAT folder and where its entry set lies in the folder's bytes.
struct ExfatName {
    std::string name; // UTF-8
    std::size_t offset = 0;
    std::size_t length = 0;
};

// Whether a boot sector (its first 512 bytes suffice) starts an exFAT volume whose
// geometry can be followed.
bool is_exfat_boot_sector(std::span<const unsigned char> boot);

// The names held by the entry sets of an exFAT folder's bytes, in entry order;
// nullopt when an entry set is damaged or a name is one no exFAT driver would store.
std::optional<std::vector<ExfatName>> exfat_folder_names(std::span<const unsigned char> folder);

// The names in the root folder of an exFAT volume, in the order of their directory
// entries on the medium; nullopt when it holds no exFAT volume, cannot be read or
// its root folder is damaged.
std::optional<std::vector<std::string>> exfat_root_names(const VolumeBytes& volume);

} // namespace kadoru
