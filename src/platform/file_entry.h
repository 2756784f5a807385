#pragma once

#include <chrono>
#include <compare>
#include <cstdint>
#include <string>

namespace kadoru {

// A file lying directly in a folder: its name without the folder, and its size.
struct FileEntry {
    std::string name;
    std::uint64_t size = 0;

    friend bool operator==(const FileEntry&, const FileEntry&) = default;
};

// What tells one version of a file from the next: its size and when it was last
// written (since the epoch of the system's file times).
struct FileStamp {
    std::uint64_t size = 0;
    std::chrono::nanoseconds modified{0};

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// What tells one file from every other of the machine, whatever names lead to it:
// the volume it lies on and its number there (device and inode; volume serial and
// file index on Windows).
struct FileId {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;

    friend auto operator<=>(const FileId&, const FileId&) = default;
};

} // namespace kadoru
