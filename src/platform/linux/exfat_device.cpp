#include "platform/linux/exfat_device.h"

#include "platform/linux/unique_fd.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <span>
#include <unistd.h>

namespace kadoru {

namespace {

bool read_at(int fd, std::uint64_t offset, std::span<unsigned char> into) {
    while (!into.empty()) {
        const ssize_t got = ::pread(fd, into.data(), into.size(), static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        offset += static_cast<std::uint64_t>(got);
        into = into.subspan(static_cast<std::size_t>(got));
    }
    return true;
}

} // namespace

bool is_exfat_volume(const std::string& device) {
    const UniqueFd fd(::open(device.c_str(), O_RDONLY | O_CLOEXEC));
    std::array<unsigned char, 512> boot{}; // the boot sector
    return fd && read_at(fd.get(), 0, boot) && is_exfat_boot_sector(boot);
}

std::optional<std::vector<std::string>> exfat_root_names(const std::string& device) {
    const UniqueFd fd(::open(device.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd)
        return std::nullopt;
    // A block device tells its size by seeking to its end, as a file does.
    const off_t size = ::lseek(fd.get(), 0, SEEK_END);
    if (size < 0)
        return std::nullopt;
    return exfat_root_names(VolumeBytes{static_cast<std::uint64_t>(size),
                                        [&](std::uint64_t offset, std::span<unsigned char> into) {
                                            return read_at(fd.get(), offset, into);
                                        }});
}

} // namespace kadoru
