#pragma once

#include "platform/linux/mount_table.h"
#include "platform/linux/unique_fd.h"

#include <string>
#include <vector>

namespace kadoru {

// The system's own mount table (Linux: /proc/self/mountinfo), with the volume
// labels udev publishes as links in /dev/disk/by-label.
class MountInfoSource final : public MountSource {
public:
    explicit MountInfoSource(std::string table = "/proc/self/mountinfo",
                             std::string labels = "/dev/disk/by-label");
    // The table as it is now; an unreadable table lists nothing, so every drive is
    // then not ready. The kernel's own table is read again only after it reports a
    // change (a mount or an unmount), so asking before every copied file is cheap;
    // any other file is read at each call.
    std::vector<Mount> mounts() const override;

private:
    bool unchanged_since_last_read() const;

    std::string table_;
    std::string labels_;
    mutable UniqueFd watch_; // the kernel's table, polled for changes
    mutable std::vector<Mount> last_;
};

// A label as udev writes it into a link's name: unsafe bytes as "\xHH".
std::string decode_label(std::string_view name);

} // namespace kadoru
