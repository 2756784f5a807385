#include "platform/linux/mountinfo_source.h"

#include <charconv>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <linux/magic.h>
#include <map>
#include <poll.h>
#include <sstream>
#include <sys/vfs.h>
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

bool MountInfoSource::unchanged_since_last_read() const {
    if (watch_) {
        // The kernel marks a change with POLLPRI once; the next poll is quiet again.
        pollfd change{watch_.get(), POLLPRI, 0};
        if (::poll(&change, 1, 0) == 0)
            return true;
        last_.clear();
        return false;
    }
    // Only the kernel's table can tell of its changes; a plain file is read each time.
    UniqueFd fd(::open(table_.c_str(), O_RDONLY | O_CLOEXEC));
    struct statfs volume {};
    if (fd && ::fstatfs(fd.get(), &volume) == 0 && volume.f_type == PROC_SUPER_MAGIC) {
        pollfd arm{fd.get(), POLLPRI, 0};
        ::poll(&arm, 1, 0); // takes note of the table's present state
        watch_ = std::move(fd);
    }
    return false;
}

std::vector<Mount> MountInfoSource::mounts() const {
    if (unchanged_since_last_read() && !last_.empty())
        return last_;
    auto mounts = parse_mountinfo(read_all(table_));
    const auto labels = labels_by_device(labels_);
    for (auto& mount : mounts) {
        if (labels.empty() || !mount.source.starts_with("/dev/"))
            continue;
        const auto it = labels.find(canonical_or_empty(mount.source));
        if (it != labels.end())
            mount.label = it->second;
    }
    if (watch_)
        last_ = mounts;
    return mounts;
}

} // namespace kadoru
