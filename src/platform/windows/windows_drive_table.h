#pragma once

#include "platform/drives.h"

#include <array>
#include <memory>
#include <string>

namespace kadoru {

// The drives of a Windows machine: its real drive letters. A letter the run has
// seen stays known when its medium goes (a card pulled, a reader emptied) and is
// then not ready (71). Removable and fixed as the system tells them, so that the
// delete step leaves the machine's own disks alone whatever their letters.
class WindowsDriveTable final : public Drives {
public:
    // working_folder becomes the current folder of the drive that holds it.
    explicit WindowsDriveTable(std::string working_folder);

    std::vector<DriveInfo> list() const override;
    std::string root_of(std::string_view drive) const override;
    std::string drive_of(std::string_view path) const override;
    bool is_known(std::string_view drive) const override;
    bool is_ready(std::string_view drive) const override;
    bool is_fixed(std::string_view drive) const override;

    std::string current_folder(std::string_view drive) const override;
    void set_current_folder(std::string_view drive, const std::string& folder) override;

    std::uint64_t free_space(std::string_view drive) const override;
    std::uint64_t total_size(std::string_view drive) const override;
    std::uint64_t allocation_unit(std::string_view drive) const override;
    std::string volume_id(std::string_view drive) const override;
    std::string file_system_type(std::string_view drive) const override;

private:
    struct Drive {
        bool seen = false;
        bool fixed = false;
        std::string current;
    };

    // Reads the system's letters: notes new ones and what kind of drive each is.
    // What the run has seen is state of the run, not of the object's value, hence mutable.
    void refresh() const;
    Drive* find(std::string_view drive) const;
    // The drive's root folder, ready now; 68 when unknown, 71 when not ready.
    std::string ready_root(std::string_view drive) const;

    std::string working_folder_;
    mutable std::array<Drive, 26> drives_{};
};

// The drive table of this machine, with the process's working folder.
std::unique_ptr<WindowsDriveTable> system_drive_table();

} // namespace kadoru
