#pragma once

// What the tests shared by both pairs of the platform layer need of Windows; CMake
// puts this folder or posix/ on the include path.

#include "platform/paths.h"
#include "platform/windows/windows_drive_table.h"
#include "platform/windows/windows_file_system.h"
#include "support/scratch_folder.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace kadoru::test {

// The file-system services of this pair.
using SystemFileSystem = WindowsFileSystem;

// Marks a file write-protected: its read-only attribute.
inline void make_read_only(const std::string& path) {
    std::filesystem::permissions(std_path(path),
                                 std::filesystem::perms::owner_write |
                                     std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
}

// The drive letters ./scripts/test windows makes under Wine, each named by an
// environment variable: empty where the test runs elsewhere.
inline std::string test_letter(const char* variable) {
    const char* letter = std::getenv(variable);
    return letter == nullptr ? std::string{} : std::string(letter);
}

// Removes everything in a drive's root folder. (MinGW's std::filesystem cannot list
// a root folder.)
inline void empty_root_folder(const std::string& root) {
    for (const auto& name : WindowsFileSystem().entry_names(root))
        std::filesystem::remove_all(std_path(root + name));
}

// What a real transfer writes onto.
enum class CardKind {
    folder, // a removable drive (KADORU_TEST_CARD)
    fat,    // a FAT volume: none under Wine
    small,  // a removable drive of 256 KiB (KADORU_TEST_SMALL_CARD, a tmpfs as root)
};

// The card of a real transfer, emptied: a removable drive of Wine's. Check ready()
// and skip with why_not() otherwise.
class TestCard {
public:
    TestCard(const ScratchFolder& /*dir*/, CardKind kind) {
        if (kind == CardKind::fat) {
            why_not_ = "no FAT volume under Wine";
            return;
        }
        drive_ =
            test_letter(kind == CardKind::small ? "KADORU_TEST_SMALL_CARD" : "KADORU_TEST_CARD");
        if (drive_.empty()) {
            why_not_ = "no card letter: run ./scripts/test windows";
            return;
        }
        root_ = drive_ + path_separator;
        empty_root_folder(root_);
    }

    bool ready() const { return !drive_.empty(); }
    const std::string& why_not() const { return why_not_; }
    const std::string& drive() const { return drive_; }
    const std::string& root() const { return root_; }

private:
    std::string drive_;
    std::string root_;
    std::string why_not_;
};

// The drives of a real transfer: Windows' own letters, the card among them.
class TransferDrives {
public:
    TransferDrives(const std::string& music, const std::string& /*app*/,
                   const std::string& /*card*/)
        : drives_(music) {}

    Drives& drives() { return drives_; }

private:
    WindowsDriveTable drives_;
};

} // namespace kadoru::test
