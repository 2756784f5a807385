#include "platform/mountinfo_source.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <system_error>
#include <utility>

namespace kadoru {

namespace {

std::string read_all(const std::string& path) {
    const std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string canonical_or_empty(const std::filesystem::path& path) {
    std::error_code error;
    auto resolved = std::filesystem::canonical(path, error);
    return error ? std::string{} : resolved.string();
}

// The label of each labelled block device, by the device's canonical path.
std::map<std::string, std::string> labels_by_device(const std::string& folder) {
    std::map<std::string, std::string> labels;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::string device = canonical_or_empty(it->path());
        if (!device.empty())
            labels.emplace(std::move(device), decode_label(it->path().filename().string()));
    }
    return labels;
}

} // namespace

std::string decode_label(std::string_view name) {
    std::string label;
    for (std::size_t i = 0; i < name.size(); ++i) {
        unsigned value = 0;
        if (name.substr(i, 2) == "\\x" && i + 4 <= name.size() &&
            std::from_chars(name.data() + i + 2, name.data() + i + 4, value, 16).ptr ==
                name.data() + i + 4) {
            label += static_cast<char>(value);
            i += 3;
        } else {
            label += name[i];
        }
    }
    return label;
}

MountInfoSource::MountInfoSource(std::string table, std::string labels)
    : table_(std::move(table)), labels_(std::move(labels)) {
}

std::vector<Mount> MountInfoSource::mounts() const {
    auto mounts = parse_mountinfo(read_all(table_));
    const auto labels = labels_by_device(labels_);
    if (labels.empty())
        return mounts;
    for (auto& mount : mounts) {
        if (mount.source.rfind("/dev/", 0) != 0)
            continue;
        const auto it = labels.find(canonical_or_empty(mount.source));
        if (it != labels.end())
            mount.label = it->second;
    }
    return mounts;
}

} // namespace kadoru
