#pragma once

// What the tests shared by both pairs of the platform layer need of a POSIX system;
// CMake puts this folder or windows/ on the include path.

#include "platform/linux/drive_table.h"
#include "platform/linux/posix_file_system.h"
#include "support/fat_volume.h"
#include "support/listed_mounts.h"
#include "support/scratch.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kadoru::test {

// The file-system services of this pair.
using SystemFileSystem = PosixFileSystem;

// Marks a file write-protected: no write permission for anybody.
inline void make_read_only(const std::string& path) {
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
}

// What a real transfer writes onto.
enum class CardKind {
    folder, // a folder standing for the card
    fat,    // a FAT volume, which keeps the order of its entries
    small,  // a volume of 256 KiB, which a few songs fill
};

// The card of a real transfer, empty and ready: a folder of the test's own or, as
// root, a volume mounted there, lettered e: by the test's own drive table. Check
// ready() and skip with why_not() otherwise.
class TestCard {
public:
    TestCard(const ScratchFolder& dir, CardKind kind) : root_(dir / "card") {
        if (kind == CardKind::fat)
            fat_.emplace(dir);
        else if (kind == CardKind::small)
            tmpfs_.emplace(root_, "size=256k");
        else
            std::filesystem::create_directories(root_);
    }

    bool ready() const { return fat_ ? fat_->mounted() : !tmpfs_ || tmpfs_->mounted(); }
    std::string why_not() const {
        return fat_ ? fat_->why_not() : tmpfs_ ? tmpfs_->why_not() : std::string{};
    }
    const std::string& drive() const { return drive_; }
    const std::string& root() const { return root_; }

private:
    std::string drive_ = "e:";
    std::string root_;
    std::optional<FatVolume> fat_;
    std::optional<TmpfsMount> tmpfs_;
};

// The drives of a real transfer: the source folder c:, the program's folder d:, the
// card e:, each a volume of a mount table of the test's own.
class TransferDrives {
public:
    TransferDrives(const std::string& music, const std::string& app, const std::string& card)
        : table_{folder_mount(music), folder_mount(app), folder_mount(card)},
          drives_(std::make_unique<ListedMounts>(table_), music, MountPlaces{music, {card}}) {}
    TransferDrives(const TransferDrives&) = delete;
    TransferDrives& operator=(const TransferDrives&) = delete;
    TransferDrives(TransferDrives&&) = delete;
    TransferDrives& operator=(TransferDrives&&) = delete;
    ~TransferDrives() = default;

    Drives& drives() { return drives_; }

private:
    std::vector<Mount> table_;
    DriveTable drives_;
};

} // namespace kadoru::test
