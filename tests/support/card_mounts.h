#pragma once

#include "platform/linux/mountinfo_source.h"

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

} // namespace kadoru::test
