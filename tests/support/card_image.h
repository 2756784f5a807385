#pragma once

#include "support/fuse_mount.h"
#include "support/scratch.h"

#include <algorithm>
#include <dirent.h>
#include <filesystem>
#include <ostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace kadoru::test {

// The names of a folder in the order the directory read gives them.
inline std::vector<std::string> folder_read(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

// A player's memory card of the test's own: an image file formatted FAT16, FAT32 or
// exFAT and mounted at a folder of the test's own through the FUSE drivers (fusefat;
// exfat-fuse on a loop device). Needs root, /dev/fuse and the tools: check mounted()
// and skip with why_not() otherwise. Unmounted, and its loop device let go, at the end.
class CardImage : public FuseMount {
public:
    enum class Format { fat16, fat32, exfat };
    friend void PrintTo(Format format, std::ostream* os) {
        *os << (format == Format::fat16 ? "FAT16" : format == Format::fat32 ? "FAT32" : "exFAT");
    }

    CardImage(const ScratchFolder& dir, Format format)
        : FuseMount(dir / "card"), format_(format), image_(dir / "card.img") {
        std::filesystem::create_directory(root_);
        if (::geteuid() != 0) {
            why_not_ = "needs root to mount a card image";
            return;
        }
        if (::access("/dev/fuse", R_OK | W_OK) != 0) {
            why_not_ = "needs /dev/fuse";
            return;
        }
        const bool fat = format != Format::exfat;
        for (const char* tool :
             fat ? std::vector<const char*>{"mkfs.vfat", "fusefat", "mdir"}
                 : std::vector<const char*>{"mkfs.exfat", "mount.exfat-fuse", "losetup"}) {
            if (!has_tool(tool)) {
                why_not_ = std::string("needs ") + tool;
                return;
            }
        }
        // FAT16 takes 4 MiB with one-sector clusters; FAT32 wants 65525 clusters or
        // more (the image is sparse, so its size costs nothing).
        const std::string make = format == Format::fat16   ? "mkfs.vfat -F 16 -s 1"
                                 : format == Format::fat32 ? "mkfs.vfat -F 32 -s 1"
                                                           : "mkfs.exfat";
        const std::string size = format == Format::fat32 ? "40M" : "4M";
        if (!run_quietly("truncate -s " + size + " '" + image_ + "' && " + make + " '" + image_ +
                         "'")) {
            why_not_ = "cannot format a card image";
            return;
        }
        if (!mount())
            why_not_ = "cannot mount a card image through FUSE";
    }
    ~CardImage() {
        unmount();
        if (!loop_.empty())
            run_quietly("losetup -d " + loop_);
    }

    const std::string& image() const { return image_; }

    bool mount() {
        if (mounted_)
            return true;
        if (format_ != Format::exfat) {
            mounted_ = run_quietly("fusefat -o rw+ '" + image_ + "' '" + root_ + "'");
        } else {
            if (loop_.empty()) {
                loop_ = output_of("losetup -f --show '" + image_ + "'");
                while (!loop_.empty() && loop_.back() == '\n')
                    loop_.pop_back();
            }
            mounted_ =
                !loop_.empty() && run_quietly("mount.exfat-fuse " + loop_ + " '" + root_ + "'");
        }
        return mounted_;
    }

    // Empty files written straight into the FAT image, quickly even by the hundred;
    // the card is unmounted for it.
    bool put_unmounted(const ScratchFolder& dir, const std::vector<std::string>& names) {
        unmount();
        const std::string folder = dir / "unmounted";
        std::filesystem::create_directory(folder);
        std::string command = "MTOOLS_SKIP_CHECK=1 mcopy -D o -i '" + image_ + "'";
        for (const auto& name : names) {
            dir.write("unmounted/" + name, "");
            command += " '" + folder + "/" + name + "'";
        }
        return run_quietly(command + " ::/");
    }
    bool delete_unmounted(const std::vector<std::string>& names) {
        unmount();
        std::string command = "MTOOLS_SKIP_CHECK=1 mdel -i '" + image_ + "'";
        for (const auto& name : names)
            command += " '::/" + name + "'";
        return run_quietly(command);
    }

    // The root folder's entries in the order the medium stores them, as a player
    // reads them: for FAT with mtools from the unmounted image; for exFAT by a fresh
    // mount, whose driver reads the folder in stored order before anything changes.
    std::vector<std::string> stored_order() {
        unmount();
        std::vector<std::string> names;
        if (format_ != Format::exfat) {
            const std::string listing =
                output_of("MTOOLS_SKIP_CHECK=1 mdir -a -b -i '" + image_ + "' ::/");
            std::size_t start = 0;
            while (start < listing.size()) {
                const std::size_t end = std::min(listing.find('\n', start), listing.size());
                const std::string line = listing.substr(start, end - start);
                // A folder is listed with a "/" after its name.
                if (line.rfind("::/", 0) == 0)
                    names.push_back(
                        line.substr(3, line.back() == '/' ? line.size() - 4 : std::string::npos));
                start = end + 1;
            }
        } else if (mount()) {
            names = folder_read(root_);
            unmount();
        }
        return names;
    }

private:
    Format format_;
    std::string image_;
    std::string loop_;
};

} // namespace kadoru::test
