#pragma once

#include "platform/udisks_plan.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <vector>

namespace kadoru::test {

// A machine as UDisks2 describes it: its own disk (the root file system, and a
// Windows partition below /mnt), a user's disk image and someone else's, a USB card
// reader with two partitions mounted and one not, and a USB disk that holds /home.
inline constexpr std::uint32_t machine_user = 1000;
inline const UdisksObjects udisks_machine{
    {{"/block/sda1", "/drives/disk", true, {"/"}, true},
     {"/block/sda2", "/drives/disk", true, {"/mnt/windows"}, true},
     {"/block/loop0", "/", true, {"/mnt/image"}, true, machine_user},
     {"/block/loop1", "/", true, {"/mnt/packages"}, true, 0},
     {"/block/sdb1", "/drives/reader", true, {"/media/u/PLAYER"}, false},
     {"/block/sdb2", "/drives/reader", true, {"/media/u/DATA"}, false},
     {"/block/sdb3", "/drives/reader", true, {}, false},
     {"/block/sdb", "/drives/reader", false, {}, false},
     {"/block/sdc1", "/drives/usb", true, {"/media/u/BACKUP"}, false},
     {"/block/sdc2", "/drives/usb", true, {"/home"}, false}},
    {{"/drives/reader", true}, {"/drives/disk", false}, {"/drives/usb", true}}};

// What removal of the volume mounted at each root does on that machine.
struct RemovalCase {
    const char* root;
    std::optional<EjectPlan> plan;
};
inline void PrintTo(const RemovalCase& c, std::ostream* os) {
    *os << c.root;
}
inline const std::vector<RemovalCase> removal_cases = {
    {"/media/u/PLAYER", EjectPlan{{"/block/sdb1", "/block/sdb2"}, "/drives/reader"}},
    {"/media/u/DATA", EjectPlan{{"/block/sdb2", "/block/sdb1"}, "/drives/reader"}},
    {"/mnt/image", EjectPlan{{"/block/loop0"}, ""}},
    {"/mnt/packages", std::nullopt},
    {"/mnt/windows", std::nullopt},
    {"/", std::nullopt},
    {"/media/u/BACKUP", std::nullopt},
    {"/media/u/PLAY", std::nullopt}};

} // namespace kadoru::test
