#pragma once

#include <string>
#include <sys/stat.h>

namespace kadoru {

// What stat tells of a path, links followed; a path that cannot be read is neither.

// The same file: the same inode on the same device, whatever names lead to it.
inline bool same_inode(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

inline bool same_file(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && same_inode(sa, sb);
}

inline bool is_folder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace kadoru
