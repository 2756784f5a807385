#pragma once

#include "platform/clock.h"
#include "platform/event_pump.h"
#include "platform/linux/mount_table.h"
#include "platform/linux/mountinfo_source.h"
#include "support/card_image.h"
#include "support/scratch.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kadoru::test {

// How slow the card is: bytes written per second (0: as fast as the disk below), and
// seconds each flush and each new or deleted entry take.
struct Slowness {
    double write_rate = 0;
    double flush_seconds = 0;
    double entry_seconds = 0;
};

// A slow memory card of the test's own: a FUSE passthrough (slow_card.py, python3-fusepy)
// onto a folder of the scratch folder, mounted below /mnt where removable and user
// mounts appear. Needs root and /dev/fuse: check mounted() and skip with why_not()
// otherwise. Unmounted at the end.
class SlowCard : public FuseMount {
public:
    SlowCard(const ScratchFolder& dir, const Slowness& slowness)
        : FuseMount(""), backing_(dir / "backing") {
        if (::geteuid() != 0) {
            why_not_ = "needs root to mount a slow card";
            return;
        }
        if (::access("/dev/fuse", R_OK | W_OK) != 0 ||
            !run_quietly("/usr/bin/python3 -c 'import fusepy'")) {
            why_not_ = "needs /dev/fuse and python3-fusepy";
            return;
        }
        std::string pattern = "/mnt/kadoru-slow-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            why_not_ = "cannot make a mount point below /mnt";
            return;
        }
        root_ = pattern;
        std::filesystem::create_directory(backing_);
        // The daemon returns once the card is mounted.
        mounted_ =
            run_quietly("/usr/bin/python3 '" KADORU_SLOW_CARD_SCRIPT "' '" + backing_ + "' '" +
                        root_ + "' --write-rate " + std::to_string(slowness.write_rate) +
                        " --flush-seconds " + std::to_string(slowness.flush_seconds) +
                        " --entry-seconds " + std::to_string(slowness.entry_seconds));
        if (!mounted_)
            why_not_ = "cannot mount the slow card";
    }
    ~SlowCard() {
        unmount();
        if (!root_.empty())
            ::rmdir(root_.c_str());
    }

    // The folder below the card: what has reached the medium, without going through it.
    const std::string& backing() const { return backing_; }

    // Ends the card's driver, as pulling the card does to it: the mount stays, but
    // answers nothing any more. The driver is the one process whose arguments name
    // this card's mount point.
    bool end_driver() const {
        for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
            const std::string pid = entry.path().filename().string();
            if (pid.find_first_not_of("0123456789") != std::string::npos)
                continue;
            std::string arguments = ScratchFolder::read_file(entry.path().string() + "/cmdline");
            std::replace(arguments.begin(), arguments.end(), '\0', ' ');
            if (arguments.find("slow_card.py") != std::string::npos &&
                arguments.find(" " + root_ + " ") != std::string::npos)
                return ::kill(std::stoi(pid), SIGKILL) == 0;
        }
        return false;
    }

private:
    std::string backing_;
};

// The system's mounts reduced to the root file system (c:), a fixed volume standing
// in for d: and the card, which as a user mount comes after them (e:). The card says
// it is FAT, as a player's card is, so that the run keeps its order with placeholders.
class CardAfterStandIn final : public MountSource {
public:
    CardAfterStandIn(std::string card, std::string stand_in)
        : card_(std::move(card)), stand_in_(std::move(stand_in)) {}
    std::vector<Mount> mounts() const override {
        std::vector<Mount> result;
        for (auto& mount : system_.mounts())
            if (mount.root == "/")
                result.push_back(std::move(mount));
            else if (mount.root == card_)
                result.push_back({mount.root, mount.source, "vfat", "", mount.id, mount.device});
        result.push_back({stand_in_, "stand-in", "ext4", "", 0, 0});
        return result;
    }

private:
    MountInfoSource system_;
    std::string card_;
    std::string stand_in_;
};

// The window's event loop as a run sees it: the longest stretch between two of its
// turns since begin(), and what the user does at each turn.
class GapRecorder final : public EventPump {
public:
    using clock = std::chrono::steady_clock;

    void begin() {
        last_ = clock::now();
        longest_ = {};
    }
    void process_events() override {
        note();
        if (user)
            user();
    }
    void hold_input(bool on) override { held = on; }
    // The longest stretch so far, the one up to now included.
    clock::duration longest() {
        note();
        return longest_;
    }

    std::function<void()> user;
    // Whether the run holds the user's input back: a click made now waits.
    bool held = false;

private:
    void note() {
        const auto now = clock::now();
        longest_ = std::max(longest_, now - last_);
        last_ = now;
    }

    clock::time_point last_ = clock::now();
    clock::duration longest_{};
};

// Real time, but the wait rule's pauses pass at once: a run's stretches are the card's,
// and a song's minute of pacing costs nothing.
class PausesPassAtOnce final : public Clock {
public:
    time_point now() const override { return std::chrono::steady_clock::now() + slept_; }
    void sleep(std::chrono::milliseconds duration) override { slept_ += duration; }

private:
    std::chrono::steady_clock::duration slept_{};
};

} // namespace kadoru::test
