#include "platform/exfat/exfat_root.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace kadoru {

namespace {

constexpr std::size_t boot_sector_size = 512;
constexpr std::size_t entry_size = 32;
constexpr std::uint64_t largest_folder = std::uint64_t{256} << 20; // the format's own limit

constexpr unsigned char end_of_folder = 0x00;
constexpr unsigned char file_entry = 0x85;
constexpr unsigned char stream_entry = 0xC0;
constexpr unsigned char name_entry = 0xC1;
constexpr std::size_t name_units_per_entry = 15;

using Sector = std::array<unsigned char, boot_sector_size>;

// The fields of the boot sector that lead to the root folder.
struct Geometry {
    std::uint64_t sector_size = 0;
    std::uint64_t cluster_size = 0;
    std::uint64_t fat_offset = 0;  // bytes
    std::uint64_t heap_offset = 0; // bytes
    std::uint32_t cluster_count = 0;
    std::uint32_t root_cluster = 0;
};

std::uint32_t le32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::optional<Geometry> geometry_of(std::span<const unsigned char> boot) {
    if (boot.size() < boot_sector_size || std::memcmp(boot.data() + 3, "EXFAT   ", 8) != 0)
        return std::nullopt;
    const unsigned sector_shift = boot[108];
    const unsigned cluster_shift = boot[109];
    if (sector_shift < 9 || sector_shift > 12 || sector_shift + cluster_shift > 25)
        return std::nullopt;
    Geometry g;
    g.sector_size = std::uint64_t{1} << sector_shift;
    g.cluster_size = g.sector_size << cluster_shift;
    g.fat_offset = le32(&boot[80]) * g.sector_size;
    g.heap_offset = le32(&boot[88]) * g.sector_size;
    g.cluster_count = le32(&boot[92]);
    g.root_cluster = le32(&boot[96]);
    return g;
}

// Whether `length` bytes from `offset` lie within the volume.
bool within(const VolumeBytes& volume, std::uint64_t offset, std::uint64_t length) {
    return offset <= volume.size && length <= volume.size - offset;
}

// The root folder's bytes, cluster by cluster along its chain in the FAT.
std::optional<std::vector<unsigned char>> read_root(const VolumeBytes& volume, const Geometry& g) {
    std::vector<unsigned char> folder;
    std::uint32_t cluster = g.root_cluster;
    // A chain longer than the volume, or than any folder may be, loops.
    for (std::uint64_t clusters = 0; clusters <= g.cluster_count; ++clusters) {
        if (cluster < 2 || cluster - 2 >= g.cluster_count ||
            folder.size() + g.cluster_size > largest_folder)
            return std::nullopt;
        // Checked before the buffer grows: a damaged boot sector may claim clusters of
        // many megabytes on a volume that holds far fewer.
        const std::uint64_t at_cluster = g.heap_offset + (cluster - 2) * g.cluster_size;
        const std::uint64_t at_link = g.fat_offset + std::uint64_t{cluster} * 4;
        std::array<unsigned char, 4> next{};
        if (!within(volume, at_cluster, g.cluster_size) || !within(volume, at_link, next.size()))
            return std::nullopt;
        const std::size_t at = folder.size();
        folder.resize(at + g.cluster_size);
        if (!volume.read(at_cluster, std::span(folder).subspan(at)) || !volume.read(at_link, next))
            return std::nullopt;
        cluster = le32(next.data());
        if (cluster >= 0xFFFFFFF8U)
            return folder;
    }
    return std::nullopt;
}

void append_utf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The UTF-8 form of a name; nullopt for a half of a surrogate pair on its own, or a
// character no file name on this system may hold.
std::optional<std::string> utf8_of(const std::vector<std::uint16_t>& units) {
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        std::uint32_t c = units[i];
        if (c >= 0xD800 && c < 0xE000) {
            if (c >= 0xDC00 || i + 1 == units.size() || units[i + 1] < 0xDC00 ||
                units[i + 1] >= 0xE000)
                return std::nullopt;
            c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00U);
            ++i;
        }
        if (c == 0 || c == '/')
            return std::nullopt;
        append_utf8(out, c);
    }
    if (out.empty() || out == "." || out == "..")
        return std::nullopt;
    return out;
}

// The name held by the file entry set that starts at entry `first`, and how many
// entries the set takes; nullopt for a damaged set.
std::optional<std::string> name_of_set(std::span<const unsigned char> folder, std::size_t first,
                                       std::size_t& set_entries) {
    const auto entry = [&](std::size_t k) { return &folder[(first + k) * entry_size]; };
    set_entries = 1 + std::size_t{entry(0)[1]};
    if (set_entries < 3 || (first + set_entries) * entry_size > folder.size() ||
        entry(1)[0] != stream_entry)
        return std::nullopt;
    const std::size_t length = entry(1)[3];
    std::vector<std::uint16_t> units;
    for (std::size_t k = 2; k < set_entries && units.size() < length; ++k) {
        if (entry(k)[0] != name_entry)
            return std::nullopt;
        for (std::size_t u = 0; u < name_units_per_entry && units.size() < length; ++u)
            units.push_back(
                static_cast<std::uint16_t>(entry(k)[2 + 2 * u] | entry(k)[3 + 2 * u] << 8));
    }
    if (units.size() != length)
        return std::nullopt;
    return utf8_of(units);
}

} // namespace

bool is_exfat_boot_sector(std::span<const unsigned char> boot) {
    return geometry_of(boot).has_value();
}

std::optional<std::vector<ExfatName>> exfat_folder_names(std::span<const unsigned char> folder) {
    std::vector<ExfatName> names;
    const std::size_t entries = folder.size() / entry_size;
    for (std::size_t at = 0; at < entries;) {
        const unsigned char type = folder[at * entry_size];
        if (type == end_of_folder)
            break;
        if (type != file_entry) {
            ++at; // deleted entries, and the volume's own (bitmap, up-case table, label)
            continue;
        }
        std::size_t set_entries = 1;
        auto name = name_of_set(folder, at, set_entries);
        if (!name)
            return std::nullopt;
        names.push_back({std::move(*name), at * entry_size, set_entries * entry_size});
        at += set_entries;
    }
    return names;
}

std::optional<std::vector<std::string>> exfat_root_names(const VolumeBytes& volume) {
    Sector boot{};
    if (!within(volume, 0, boot.size()) || !volume.read(0, boot))
        return std::nullopt;
    const auto geometry = geometry_of(boot);
    if (!geometry)
        return std::nullopt;
    const auto folder = read_root(volume, *geometry);
    if (!folder)
        return std::nullopt;
    auto entries = exfat_folder_names(*folder);
    if (!entries)
        return std::nullopt;
    std::vector<std::string> names;
    names.reserve(entries->size());
    for (auto& entry : *entries)
        names.push_back(std::move(entry.name));
    return names;
}

} // namespace kadoru
