#pragma once

#include "platform/linux/mount_table.h"

#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <utility>
#include <vector>

namespace kadoru::test {

// A mount table of the test's own, which it may change while a drive table runs.
class ListedMounts final : public MountSource {
public:
    explicit ListedMounts(const std::vector<Mount>& table) : table_(table) {}
    std::vector<Mount> mounts() const override { return table_; }

private:
    const std::vector<Mount>& table_;
};

// A folder described as the system would describe a volume mounted there.
inline Mount folder_mount(const std::string& folder, std::string type = "ext4",
                          std::string label = {}) {
    struct statx st {};
    ::statx(AT_FDCWD, folder.c_str(), 0, STATX_MNT_ID, &st);
    return {folder,           "/dev/test",   std::move(type),
            std::move(label), st.stx_mnt_id, makedev(st.stx_dev_major, st.stx_dev_minor)};
}

} // namespace kadoru::test
