#include "transfer/room_check.h"

#include "transfer/card_name.h"
#include "transfer/list_sources.h"

#include <algorithm>

namespace kadoru {

std::uint64_t allocated_size(std::uint64_t bytes, std::uint64_t unit) {
    return (bytes + unit - 1) / unit * unit;
}

std::vector<FileEntry> files_leaving(const std::vector<FileEntry>& listing,
                                     const std::vector<FileEntry>& deleted,
                                     const std::vector<std::string>& row_names,
                                     bool names_ignore_case) {
    std::vector<FileEntry> result;
    for (const FileEntry& file : listing) {
        const auto named = [&](std::string_view other) {
            return same_entry_name(file.name, other, names_ignore_case);
        };
        const bool goes = std::any_of(deleted.begin(), deleted.end(),
                                      [&](const FileEntry& d) { return named(d.name); }) ||
                          std::any_of(row_names.begin(), row_names.end(), named);
        if (goes)
            result.push_back(file);
    }
    return result;
}

bool list_fits(const std::vector<CheckedSource>& sources, const std::vector<FileEntry>& leaving,
               std::uint64_t free_space, std::uint64_t unit) {
    std::uint64_t needed = 0;
    for (const CheckedSource& source : sources)
        needed += allocated_size(source.size, unit);
    std::uint64_t room = free_space;
    for (const FileEntry& file : leaving)
        room += allocated_size(file.size, unit);
    return needed <= room;
}

} // namespace kadoru
