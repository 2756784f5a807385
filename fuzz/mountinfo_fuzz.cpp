// Feeds arbitrary text to the mountinfo parser and checks what the drive table
// relies on: absolute mount points, and that each mount, written back as the kernel
// writes a line, reads back the same.
#include "fuzz_checks.h"
#include "platform/linux/mount_table.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <sys/sysmacros.h>

using kadoru::fuzz::check;

namespace {

// The kernel writes space, tab, newline and backslash in a field as "\ooo".
std::string escaped(std::string_view field) {
    std::string out;
    for (const char c : field) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\\') {
            const auto byte = static_cast<unsigned char>(c);
            out += '\\';
            out += static_cast<char>('0' + (byte >> 6));
            out += static_cast<char>('0' + ((byte >> 3) & 7));
            out += static_cast<char>('0' + (byte & 7));
        } else {
            out += c;
        }
    }
    return out;
}

std::string line_of(const kadoru::Mount& m) {
    return std::to_string(m.id) + " 1 " + std::to_string(major(m.device)) + ":" +
           std::to_string(minor(m.device)) + " / " + escaped(m.root) + " rw,relatime shared:1 - " +
           escaped(m.type) + " " + escaped(m.source) + " rw\n";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto mounts = kadoru::parse_mountinfo(text);
    check(mounts.size() <=
          static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    for (const auto& mount : mounts) {
        check(!mount.root.empty() && mount.root.front() == '/');
        check(!mount.type.empty() && !mount.source.empty() && mount.label.empty());
        const auto again = kadoru::parse_mountinfo(line_of(mount));
        check(again.size() == 1 && again.front() == mount);
    }
    // Of several mounts on one point only one is a drive.
    const auto drives = kadoru::drive_mounts(mounts);
    for (std::size_t i = 0; i < drives.size(); ++i)
        for (std::size_t k = i + 1; k < drives.size(); ++k)
            check(drives[i].root != drives[k].root);
    return 0;
}
