#pragma once

#include "platform/mount_table.h"

#include <string>

namespace kadoru {

// The system's own mount table (Linux: /proc/self/mountinfo), with the volume
// labels udev publishes as links in /dev/disk/by-label.
class MountInfoSource final : public MountSource {
public:
    explicit MountInfoSource(std::string table = "/proc/self/mountinfo",
                             std::string labels = "/dev/disk/by-label");
    // Read anew at each call; an unreadable table lists nothing, so every drive is
    // then not ready.
    std::vector<Mount> mounts() const override;

private:
    std::string table_;
    std::string labels_;
};

// A label as udev writes it into a link's name: unsafe bytes as "\xHH".
std::string decode_label(std::string_view name);

} // namespace kadoru
