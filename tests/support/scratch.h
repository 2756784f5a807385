#pragma once

#include "support/scratch_folder.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/mount.h>
#include <unistd.h>

namespace kadoru::test {

// A size-limited tmpfs mounted at a folder of the test's own. Only root can mount:
// check mounted() and skip with why_not() otherwise. Unmounted when the test ends.
class TmpfsMount {
public:
    explicit TmpfsMount(std::string where, std::string options = "size=1M")
        : where_(std::move(where)), options_(std::move(options)) {
        std::filesystem::create_directories(where_);
        if (::geteuid() != 0)
            why_not_ = "needs root to mount a tmpfs";
        else
            mount_again();
    }
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;
    TmpfsMount(TmpfsMount&&) = delete;
    TmpfsMount& operator=(TmpfsMount&&) = delete;
    ~TmpfsMount() { unmount(); }

    bool mounted() const { return mounted_; }
    const std::string& why_not() const { return why_not_; }
    const std::string& path() const { return where_; }

    void mount_again(unsigned long flags = 0) {
        if (::mount("tmpfs", where_.c_str(), "tmpfs", flags, options_.c_str()) == 0)
            mounted_ = true;
        else
            why_not_ = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
    }
    void unmount() {
        if (mounted_ && ::umount2(where_.c_str(), MNT_DETACH) == 0)
            mounted_ = false;
    }

private:
    std::string where_;
    std::string options_;
    std::string why_not_;
    bool mounted_ = false;
};

} // namespace kadoru::test
