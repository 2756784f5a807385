#include "platform/entry_order.h"

#include "platform/ascii_case.h"
#include "platform/card_files.h"
#include "platform/drives.h"

#include <algorithm>
#include <array>

namespace kadoru {

namespace {

// As mount tables (and Windows, in any case) name them, FUSE drivers included.
constexpr std::array<std::string_view, 9> hole_filling_types = {
    "vfat", "msdos", "fat", "fat12", "fat16", "fat32", "exfat", "fusefat", "exfat-fuse"};

} // namespace

bool keeps_entry_order(std::string_view file_system_type) {
    std::string type(file_system_type);
    std::transform(type.begin(), type.end(), type.begin(), ascii_lower);
    return std::find(hole_filling_types.begin(), hole_filling_types.end(), type) !=
           hole_filling_types.end();
}

std::optional<std::vector<std::string>> stored_root_order(const CardFiles& fs, const Drives& drives,
                                                          std::string_view drive) {
    const std::string root = drives.root_of(drive);
    if (!keeps_entry_order(drives.file_system_type(drive)))
        return std::nullopt;
    return fs.stored_entry_names(root);
}

} // namespace kadoru
