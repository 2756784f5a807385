#pragma once

#include "support/fuse_mount.h"
#include "support/scratch.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace kadoru::test {

// A small FAT volume, through the FUSE driver, to see the order a player sees.
// Only root can mount it: check mounted() and skip with why_not() otherwise.
class FatVolume : public FuseMount {
public:
    explicit FatVolume(const ScratchFolder& dir, const std::string& name = "card")
        : FuseMount(dir / name), image_(dir / (name + ".img")) {
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

private:
    std::string image_;
};

} // namespace kadoru::test
