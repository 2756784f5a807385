#pragma once

#include <chrono>
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

} // namespace kadoru
