#include "platform/linux/posix_file_system.h"

#include "platform/chunked_read.h"
#include "platform/failure.h"
#include "platform/linux/errno_failure.h"
#include "platform/linux/file_copy.h"
#include "platform/linux/file_status.h"
#include "platform/linux/folder_room.h"
#include "platform/linux/mountinfo_source.h"
#include "platform/linux/stored_entry_order.h"
#include "platform/linux/unique_fd.h"
#include "platform/paths.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace kadoru {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const noexcept { ::closedir(dir); }
};
using Dir = std::unique_ptr<DIR, DirCloser>;

Dir open_folder(const std::string& folder) {
    Dir dir(::opendir(folder.c_str()));
    if (!dir)
        throw_errno(errno, PathRole::folder);
    return dir;
}

bool is_dot_or_dot_dot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Calls visit(folder_fd, entry) for every entry of the folder but "." and "..", in
// the order the directory read gives.
template <class Visit> void each_dirent(const std::string& folder, Visit visit) {
    const Dir dir = open_folder(folder);
    const int fd = ::dirfd(dir.get());
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir.get());
        if (entry == nullptr) {
            if (errno != 0)
                throw_errno(errno, PathRole::folder);
            return;
        }
        if (!is_dot_or_dot_dot(entry->d_name))
            visit(fd, *entry);
    }
}

// Calls visit(name, stat) for every entry of the folder that may be of the kind
// wanted, in the order the directory read gives; entries that vanish between the
// read and the stat, and dangling links, are passed over. might_be tells from the
// entry's d_type whether it is worth a stat; most file systems fill it in, so a
// folder of files costs one stat per file and a file none when folders are wanted.
template <class MightBe, class Visit>
void each_entry(const std::string& folder, MightBe might_be, Visit visit) {
    each_dirent(folder, [&](int fd, const dirent& entry) {
        if (!might_be(entry.d_type))
            return;
        struct stat st {};
        if (::fstatat(fd, entry.d_name, &st, 0) != 0) {
            if (errno == ENOENT || errno == ELOOP)
                return;
            throw_errno(errno, PathRole::file);
        }
        visit(entry.d_name, st);
    });
}

bool may_lead_to(unsigned char type, unsigned char wanted) {
    return type == wanted || type == DT_LNK || type == DT_UNKNOWN;
}

// A write-protected file: nobody may write it (the read-only attribute of a FAT
// card), or the user may not. Checked by hand because root passes every check of
// the system's own and rm without -f would still ask.
void refuse_write_protected(const std::string& path, const struct stat& st) {
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        throw Failure(failure_code::permission_denied);
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
        throw_errno(errno, PathRole::file);
}

// A name beside the target that no other writer picks: created exclusively.
UniqueFd create_beside(const std::string& path, std::string& temp) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::array<char, 16> suffix{};
        std::snprintf(suffix.data(), suffix.size(), ".~%08x", random());
        temp = path + suffix.data();
        UniqueFd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd || errno != EEXIST)
            return fd;
    }
    return UniqueFd{};
}

void write_all(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t put = ::write(fd, text.data(), text.size());
        if (put < 0) {
            if (errno == EINTR)
                continue;
            throw_errno(errno, PathRole::file);
        }
        text.remove_prefix(static_cast<std::size_t>(put));
    }
}

// Makes a rename durable; volumes that cannot sync a folder are left as they are.
void sync_folder(const std::string& folder) noexcept {
    const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd)
        ::fsync(fd.get());
}

// Hands the file's bytes to on_chunk as they are read, until the end of the file or
// until on_chunk returns false.
template <class OnChunk> void read_chunks(int fd, OnChunk on_chunk) {
    std::array<char, 65536> buffer{};
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw_errno(errno, PathRole::file);
        }
        if (got == 0 || !on_chunk(std::string_view(buffer.data(), static_cast<std::size_t>(got))))
            return;
    }
}

std::vector<std::string> directory_read(const std::string& folder) {
    std::vector<std::string> names;
    each_dirent(folder, [&](int, const dirent& entry) { names.emplace_back(entry.d_name); });
    return names;
}

// The folder's names as the medium stores them, read from the device where the
// driver lists them otherwise. Trusted only while it names the same entries as the
// directory read: the device is read behind the driver's back, and a driver may
// hold back what it has not yet written.
std::optional<std::vector<std::string>> stored_order_of(const std::string& folder,
                                                        const std::vector<std::string>& names,
                                                        const MountSource& mounts) {
    auto stored = stored_entry_order(folder, mounts);
    if (!stored)
        return std::nullopt;
    auto a = *stored;
    auto b = names;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    if (a != b)
        return std::nullopt;
    return stored;
}

} // namespace

PosixFileSystem::PosixFileSystem() : mounts_(std::make_unique<MountInfoSource>()) {
}

PosixFileSystem::~PosixFileSystem() = default;

std::vector<FileEntry> PosixFileSystem::files(const std::string& folder) const {
    std::vector<FileEntry> result;
    each_entry(
        folder, [](unsigned char type) { return may_lead_to(type, DT_REG); },
        [&](const char* name, const struct stat& st) {
            if (S_ISREG(st.st_mode))
                result.push_back({name, static_cast<std::uint64_t>(st.st_size)});
        });
    return result;
}

std::vector<std::string> PosixFileSystem::subfolders(const std::string& folder) const {
    std::vector<std::string> result;
    each_entry(
        folder, [](unsigned char type) { return may_lead_to(type, DT_DIR); },
        [&](const char* name, const struct stat& st) {
            if (S_ISDIR(st.st_mode))
                result.emplace_back(name);
        });
    return result;
}

bool PosixFileSystem::is_folder(const std::string& path) const {
    return kadoru::is_folder(path);
}

bool PosixFileSystem::is_file(const std::string& path) const {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PosixFileSystem::same_file(const std::string& a, const std::string& b) const {
    return kadoru::same_file(a, b);
}

std::optional<FileId> PosixFileSystem::file_id(const std::string& path) const {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FileId{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

void PosixFileSystem::delete_file(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        throw_file_errno(errno, path);
    if (S_ISDIR(st.st_mode))
        throw Failure(failure_code::path_file_access_error);
    if (!S_ISLNK(st.st_mode))
        refuse_write_protected(path, st);
    if (::unlink(path.c_str()) != 0)
        throw_errno(errno, PathRole::file);
}

void PosixFileSystem::copy_file_or_stop(const std::string& from, const std::string& to,
                                        std::stop_token stop) {
    copy_file_in_place(from, to, CopyMethod::copy_file_range, std::move(stop));
}

void PosixFileSystem::write_text(const std::string& path, std::string_view text) {
    std::string temp;
    UniqueFd fd = create_beside(path, temp);
    if (!fd)
        throw_errno(errno, PathRole::folder);
    try {
        struct stat old {};
        if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
            ::fchmod(fd.get(), old.st_mode & 07777); // the replaced file's permissions
        write_all(fd.get(), text);
        if (::fsync(fd.get()) != 0)
            throw_errno(errno, PathRole::file);
        if (const int error = fd.close(); error != 0)
            throw_errno(error, PathRole::file);
        if (::rename(temp.c_str(), path.c_str()) != 0)
            throw_errno(errno, PathRole::file);
    } catch (...) {
        fd.reset();
        ::unlink(temp.c_str());
        throw;
    }
    sync_folder(parent_folder(path));
}

std::string PosixFileSystem::read_first_line(const std::string& path) const {
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd)
        throw_file_errno(errno, path);
    return first_line_of([&](auto on_chunk) { read_chunks(fd.get(), on_chunk); });
}

void PosixFileSystem::create_folder(const std::string& path) {
    for (std::size_t cut = path.find('/', 1);; cut = path.find('/', cut + 1)) {
        const std::string prefix = path.substr(0, cut);
        if (!prefix.empty() && ::mkdir(prefix.c_str(), 0777) != 0) {
            if (errno != EEXIST)
                throw_errno(errno, PathRole::folder);
            if (!is_folder(prefix))
                throw Failure(cut == std::string::npos ? failure_code::file_already_exists
                                                       : failure_code::path_not_found);
        }
        if (cut == std::string::npos)
            return;
    }
}

std::vector<std::string> PosixFileSystem::entry_names(const std::string& folder) const {
    auto names = directory_read(folder);
    auto stored = stored_order_of(folder, names, *mounts_);
    return stored ? std::move(*stored) : names;
}

std::optional<std::vector<std::string>>
PosixFileSystem::stored_entry_names(const std::string& folder) const {
    auto names = directory_read(folder);
    if (!lists_in_own_order(folder, *mounts_))
        return names;
    return stored_order_of(folder, names, *mounts_);
}

FolderRoom PosixFileSystem::folder_room(const std::string& folder) const {
    return folder_room_of(folder, directory_read(folder), *mounts_);
}

void PosixFileSystem::create_empty_file(const std::string& path) {
    UniqueFd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd)
        throw_errno(errno, PathRole::folder);
    if (const int error = fd.close(); error != 0)
        throw_errno(error, PathRole::file);
}

void PosixFileSystem::move_entry(const std::string& from, const std::string& to) {
    struct stat st {};
    if (::lstat(from.c_str(), &st) != 0)
        throw_file_errno(errno, from);
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
        if (errno != EINVAL && errno != ENOSYS)
            throw_errno(errno, PathRole::folder);
        // FUSE and vfat may refuse the flag: a look first, then the plain rename,
        // which would replace what arrived in between (nothing else writes the card).
        if (::lstat(to.c_str(), &st) == 0)
            throw Failure(failure_code::file_already_exists);
        if (errno != ENOENT)
            throw_errno(errno, PathRole::folder);
        if (::rename(from.c_str(), to.c_str()) != 0)
            throw_errno(errno, PathRole::folder);
    }
    // On the medium before the next move: a card pulled now keeps the song under one
    // name or the other. The FAT and exFAT drivers write the whole volume's folders
    // for one folder's sync, so the old entry's removal goes with the new entry.
    sync_folder(parent_folder(to));
}

void PosixFileSystem::make_folder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) != 0)
        throw_errno(errno, PathRole::folder);
    sync_folder(parent_folder(path));
}

void PosixFileSystem::remove_empty_folder(const std::string& path) {
    if (::rmdir(path.c_str()) == 0)
        return;
    const int error = errno;
    // Systems and drivers say EEXIST or EPERM of a folder that still holds entries.
    if (error != ENOENT && error != ENOTDIR && !directory_read(path).empty())
        throw_errno(ENOTEMPTY, PathRole::folder);
    throw_errno(error, PathRole::folder);
}

} // namespace kadoru

namespace kadoru {

std::optional<FileStamp> PosixFileSystem::readable_file(const std::string& path) const {
    // Opened, not only looked at: a file that root may read by its permissions can
    // still refuse (a FUSE volume's own rules, a card half pulled). Without blocking,
    // so that a pipe is refused, not waited on.
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st {};
    if (!fd || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    using std::chrono::nanoseconds;
    using std::chrono::seconds;
    return FileStamp{static_cast<std::uint64_t>(st.st_size),
                     seconds(st.st_mtim.tv_sec) + nanoseconds(st.st_mtim.tv_nsec)};
}

std::string PosixFileSystem::read_file(const std::string& path, std::size_t max_bytes) const {
    // Without blocking, so that a pipe given in place of a file is refused, not waited on.
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd)
        throw_file_errno(errno, path);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        throw_errno(errno, PathRole::file);
    if (!S_ISREG(st.st_mode) || static_cast<std::uint64_t>(st.st_size) > max_bytes)
        throw Failure(failure_code::path_file_access_error);
    return whole_file_of([&](auto on_chunk) { read_chunks(fd.get(), on_chunk); }, max_bytes);
}

} // namespace kadoru
