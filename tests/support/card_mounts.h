#pragma once

#include "platform/linux/drive_table.h"
#include "platform/linux/mountinfo_source.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kadoru::test {

// The system's mounts as drives c: (the root file system) and e: (the card, a
// removable volume, so that it gets the delete question).
class CardMounts final : public MountSource {
public:
    explicit CardMounts(std::string card) : card_(std::move(card)) {}
    std::vector<Mount> mounts() const override {
        std::vector<Mount> result;
        for (auto& mount : MountInfoSource("/proc/self/mountinfo", "").mounts())
            if (mount.root == "/" || mount.root == card_)
                result.push_back(std::move(mount));
        return result;
    }

private:
    std::string card_;
};

// The drives of a test whose card is mounted at `card`, as CardMounts letters them,
// with `working` as the working folder.
inline DriveTable card_drive_table(const std::string& card, const std::string& working) {
    return DriveTable(std::make_unique<CardMounts>(card), working, {"/", {card}});
}

} // namespace kadoru::test
