#pragma once

#include "support/scratch.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/mount.h>
#include <unistd.h>

namespace kadoru::test {

// A small FAT volume, through the FUSE driver, to see the order a player sees.
// Only root can mount it: check mounted() and skip with why_not() otherwise.
class FatVolume {
public:
    explicit FatVolume(const ScratchFolder& dir, const std::string& name = "card")
        : image_(dir / (name + ".img")), root_(dir / name) {
        if (::geteuid() != 0) {
            why_not_ = "needs root to mount a FAT image";
            return;
        }
        std::filesystem::create_directory(root_);
        const std::string make = "truncate -s 4M '" + image_ + "' && mkfs.vfat '" + image_ +
                                 "' >/dev/null 2>&1 && fusefat -o rw+ '" + image_ + "' '" + root_ +
                                 "' >/dev/null 2>&1";
        mounted_ = std::system(make.c_str()) == 0;
        if (!mounted_)
            why_not_ = "cannot mount a FAT image (dosfstools and fusefat needed)";
    }
    FatVolume(const FatVolume&) = delete;
    FatVolume& operator=(const FatVolume&) = delete;
    FatVolume(FatVolume&&) = delete;
    FatVolume& operator=(FatVolume&&) = delete;
    ~FatVolume() {
        if (mounted_)
            ::umount2(root_.c_str(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    const std::string& why_not() const { return why_not_; }
    std::string operator/(const std::string& name) const { return root_ + "/" + name; }
    const std::string& root() const { return root_; }

private:
    std::string image_;
    std::string root_;
    std::string why_not_;
    bool mounted_ = false;
};

} // namespace kadoru::test
