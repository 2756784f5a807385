#include "platform/windows/windows_drive_table.h"

#include "platform/ascii_case.h"
#include "platform/failure.h"
#include "platform/paths.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/windows_api.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

namespace kadoru {

namespace {

std::string root_folder(std::size_t index) {
    return {static_cast<char>('a' + index), ':', '\\'};
}

std::size_t index_of(std::string_view drive) {
    return static_cast<std::size_t>(ascii_lower(drive.front()) - 'a');
}

struct Volume {
    std::string label;
    std::string type;
    DWORD serial = 0;
};

// The volume in the drive, or nullopt where there is none to read: a reader
// without a card, a card pulled.
std::optional<Volume> volume_in(const std::string& root) {
    std::array<wchar_t, MAX_PATH + 1> label{};
    std::array<wchar_t, MAX_PATH + 1> type{};
    // No "insert a disk" box from the system for an empty drive.
    const UINT old_mode = ::SetErrorMode(SEM_FAILCRITICALERRORS);
    DWORD serial = 0;
    const bool read =
        ::GetVolumeInformationW(to_wide(root).c_str(), label.data(),
                                static_cast<DWORD>(label.size()), &serial, nullptr, nullptr,
                                type.data(), static_cast<DWORD>(type.size())) != 0;
    ::SetErrorMode(old_mode);
    // Wine reads the volume of a drive whose folder is gone; its root folder tells.
    const DWORD root_folder = ::GetFileAttributesW(to_wide(root).c_str());
    if (!read || root_folder == INVALID_FILE_ATTRIBUTES ||
        (root_folder & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return std::nullopt;
    std::string type_text = to_utf8(type.data());
    std::transform(type_text.begin(), type_text.end(), type_text.begin(), ascii_lower);
    return Volume{to_utf8(label.data()), std::move(type_text), serial};
}

struct Figures {
    std::uint64_t free = 0;
    std::uint64_t total = 0;
};

Figures figures_of(const std::string& root) {
    ULARGE_INTEGER free{};
    ULARGE_INTEGER total{};
    if (!::GetDiskFreeSpaceExW(to_wide(root).c_str(), &free, &total, nullptr))
        throw Failure(failure_code::disk_not_ready);
    return {free.QuadPart, total.QuadPart};
}

} // namespace

WindowsDriveTable::WindowsDriveTable(std::string working_folder)
    : working_folder_(std::move(working_folder)) {
}

void WindowsDriveTable::refresh() const {
    const DWORD letters = ::GetLogicalDrives();
    for (std::size_t i = 0; i < drives_.size(); ++i) {
        if ((letters & (DWORD{1} << i)) == 0 || drives_[i].seen)
            continue;
        const UINT type = ::GetDriveTypeW(to_wide(root_folder(i)).c_str());
        if (type == DRIVE_NO_ROOT_DIR || type == DRIVE_UNKNOWN)
            continue;
        drives_[i].seen = true;
        // A network share or a RAM disk is no player's card either.
        drives_[i].fixed = type != DRIVE_REMOVABLE && type != DRIVE_CDROM;
    }
}

WindowsDriveTable::Drive* WindowsDriveTable::find(std::string_view drive) const {
    if (!is_drive_string(drive))
        return nullptr;
    Drive& found = drives_.at(index_of(drive));
    return found.seen ? &found : nullptr;
}

std::string WindowsDriveTable::ready_root(std::string_view drive) const {
    refresh();
    if (find(drive) == nullptr)
        throw Failure(failure_code::device_unavailable);
    const std::string root = root_folder(index_of(drive));
    if (!volume_in(root))
        throw Failure(failure_code::disk_not_ready);
    return root;
}

std::vector<DriveInfo> WindowsDriveTable::list() const {
    refresh();
    std::vector<DriveInfo> result;
    for (std::size_t i = 0; i < drives_.size(); ++i) {
        if (!drives_[i].seen)
            continue;
        const std::string root = root_folder(i);
        if (const auto volume = volume_in(root))
            result.push_back({root.substr(0, 2), root, volume->label});
    }
    return result;
}

std::string WindowsDriveTable::root_of(std::string_view drive) const {
    return ready_root(drive);
}

std::string WindowsDriveTable::drive_of(std::string_view path) const {
    refresh();
    const std::string drive = leading_drive_string(path);
    return !drive.empty() && find(drive) != nullptr ? drive : std::string{};
}

bool WindowsDriveTable::is_known(std::string_view drive) const {
    refresh();
    return find(drive) != nullptr;
}

bool WindowsDriveTable::is_ready(std::string_view drive) const {
    refresh();
    return find(drive) != nullptr && volume_in(root_folder(index_of(drive))).has_value();
}

bool WindowsDriveTable::is_fixed(std::string_view drive) const {
    refresh();
    const Drive* found = find(drive);
    return found != nullptr && found->fixed;
}

std::string WindowsDriveTable::current_folder(std::string_view drive) const {
    const std::string root = ready_root(drive);
    const Drive& found = *find(drive);
    const auto is_folder = [](const std::string& path) {
        const DWORD attributes = ::GetFileAttributesW(to_wide(path).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    };
    // A folder deleted since it was shown is no place to return to.
    if (!found.current.empty() && is_folder(found.current))
        return found.current;
    if (found.current.empty() && leading_drive_string(working_folder_) == root.substr(0, 2) &&
        is_folder(working_folder_))
        return working_folder_;
    return root;
}

void WindowsDriveTable::set_current_folder(std::string_view drive, const std::string& folder) {
    refresh();
    if (Drive* found = find(drive))
        found->current = folder;
}

std::uint64_t WindowsDriveTable::free_space(std::string_view drive) const {
    return figures_of(ready_root(drive)).free;
}

std::uint64_t WindowsDriveTable::total_size(std::string_view drive) const {
    return figures_of(ready_root(drive)).total;
}

std::uint64_t WindowsDriveTable::allocation_unit(std::string_view drive) const {
    DWORD sectors_per_cluster = 0;
    DWORD bytes_per_sector = 0;
    DWORD free_clusters = 0;
    DWORD clusters = 0;
    if (!::GetDiskFreeSpaceW(to_wide(ready_root(drive)).c_str(), &sectors_per_cluster,
                             &bytes_per_sector, &free_clusters, &clusters))
        throw Failure(failure_code::disk_not_ready);
    return std::max<std::uint64_t>(std::uint64_t{sectors_per_cluster} * bytes_per_sector, 1);
}

// The serial number the volume was formatted with, as the system reads it from the
// card itself: the same in any reader and under any letter.
std::string WindowsDriveTable::volume_id(std::string_view drive) const {
    const auto volume = volume_in(ready_root(drive));
    if (!volume)
        throw Failure(failure_code::disk_not_ready);
    std::array<char, 16> serial{};
    std::snprintf(serial.data(), serial.size(), "%08lX",
                  static_cast<unsigned long>(volume->serial));
    return "serial " + std::string(serial.data()) + " " + volume->type;
}

std::string WindowsDriveTable::file_system_type(std::string_view drive) const {
    const auto volume = volume_in(ready_root(drive));
    if (!volume)
        throw Failure(failure_code::disk_not_ready);
    return volume->type;
}

std::unique_ptr<WindowsDriveTable> system_drive_table() {
    std::error_code error;
    const auto working = std::filesystem::current_path(error);
    const auto text = working.u8string();
    return std::make_unique<WindowsDriveTable>(error ? std::string{"c:\\"}
                                                     : std::string(text.begin(), text.end()));
}

} // namespace kadoru
