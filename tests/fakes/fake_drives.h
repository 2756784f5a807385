#pragma once

#include "fakes/fake_paths.h"
#include "platform/drives.h"
#include "platform/failure.h"

#include <map>
#include <string>

namespace kadoru::test {

// Drives of the test's own making: letters mapped to root folders of a fake or
// temporary file system, each with its own free space and readiness.
class FakeDrives final : public Drives {
public:
    struct Drive {
        std::string root;
        std::string label;
        bool ready = true;
        bool fixed = false; // one of the machine's own disks
        std::uint64_t free = 0;
        std::uint64_t total = 0;
        std::string type = "ext4";
        std::uint64_t unit = 1; // the allocation unit
        std::string current;    // empty: the root folder
        int fails_with = 0;     // not 0: a ready drive whose reads fail with this number
    };

    std::map<std::string, Drive> drives;

    Drive& add(const std::string& letter, const std::string& root, std::uint64_t free = 0,
               std::uint64_t total = 0) {
        auto& d = drives[letter];
        d.root = root;
        d.label = root;
        d.free = free;
        d.total = total;
        return d;
    }

    std::vector<DriveInfo> list() const override {
        std::vector<DriveInfo> result;
        for (const auto& [letter, d] : drives)
            if (d.ready)
                result.push_back({letter, d.root, d.label});
        return result;
    }
    std::string root_of(std::string_view drive) const override { return ready(drive).root; }
    std::string drive_of(std::string_view given_path) const override {
        const std::string path = fake_path(given_path);
        std::string best;
        std::size_t best_length = 0;
        for (const auto& [letter, d] : drives) {
            const bool inside = path.substr(0, d.root.size()) == d.root &&
                                (path.size() == d.root.size() || d.root.back() == '/' ||
                                 path[d.root.size()] == '/');
            if (inside && d.root.size() >= best_length) {
                best = letter;
                best_length = d.root.size();
            }
        }
        return best;
    }
    bool is_known(std::string_view drive) const override {
        return drives.count(std::string(drive)) != 0;
    }
    bool is_ready(std::string_view drive) const override {
        const auto it = drives.find(std::string(drive));
        return it != drives.end() && it->second.ready;
    }
    bool is_fixed(std::string_view drive) const override {
        const auto it = drives.find(std::string(drive));
        return it != drives.end() && it->second.fixed;
    }
    std::string current_folder(std::string_view drive) const override {
        const auto& d = ready(drive);
        return d.current.empty() ? d.root : d.current;
    }
    void set_current_folder(std::string_view drive, const std::string& folder) override {
        const auto it = drives.find(std::string(drive));
        if (it != drives.end())
            it->second.current = folder;
    }
    std::uint64_t free_space(std::string_view drive) const override { return ready(drive).free; }
    std::uint64_t total_size(std::string_view drive) const override { return ready(drive).total; }
    std::uint64_t allocation_unit(std::string_view drive) const override {
        return ready(drive).unit;
    }
    // The letter and the root: a fake card is known by where it is.
    std::string volume_id(std::string_view drive) const override {
        return std::string(drive) + ready(drive).root;
    }
    std::string file_system_type(std::string_view drive) const override {
        return ready(drive).type;
    }

private:
    const Drive& ready(std::string_view drive) const {
        const auto it = drives.find(std::string(drive));
        if (it == drives.end())
            throw Failure(failure_code::device_unavailable);
        if (!it->second.ready)
            throw Failure(failure_code::disk_not_ready);
        if (it->second.fails_with != 0)
            throw Failure(it->second.fails_with);
        return it->second;
    }
};

} // namespace kadoru::test
