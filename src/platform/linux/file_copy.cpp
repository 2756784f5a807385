#include "platform/linux/file_copy.h"

#include "platform/failure.h"
#include "platform/file_system.h"
#include "platform/linux/errno_failure.h"
#include "platform/linux/file_status.h"
#include "platform/linux/unique_fd.h"

#include <cerrno>
#include <cstddef>
#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kadoru {

namespace {

// The most one system call writes: short enough on a slow card (a fraction of a
// second) that a copy told to stop does so promptly.
constexpr std::size_t stretch = std::size_t{1} << 18;

[[noreturn]] void fail(int error) {
    throw_errno(error, PathRole::file);
}

// O_NONBLOCK only guards the open against a FIFO; once the file is known to be a
// regular one it goes, as some volumes refuse the kernel's copy paths with it
// (FUSE answers sendfile with EPERM).
void make_blocking(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        fail(errno);
}

bool write_protected(const struct stat& st) {
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

UniqueFd open_source(const std::string& from, struct stat& st) {
    UniqueFd fd(::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd)
        throw_file_errno(errno, from);
    if (::fstat(fd.get(), &st) != 0)
        fail(errno);
    if (!S_ISREG(st.st_mode))
        throw Failure(failure_code::path_file_access_error);
    make_blocking(fd.get());
    return fd;
}

// Makes a new file under the name of one that must go first: a link, which would be
// written through, or a file that other names lead to, which would change under
// those too.
UniqueFd replace_entry(const std::string& to) {
    if (::unlink(to.c_str()) != 0)
        fail(errno);
    UniqueFd fd(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd)
        throw_errno(errno, PathRole::folder);
    return fd;
}

// Opens the destination for writing without truncating it yet, so that a source
// reached through another spelling (a link, "dir/./name", a bind mount) is found
// out before a byte of it is lost.
UniqueFd open_destination(const std::string& to, const struct stat& source, struct stat& opened) {
    UniqueFd fd(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd) {
        if (errno != EEXIST)
            throw_errno(errno, PathRole::folder);
        struct stat existing {};
        if (::lstat(to.c_str(), &existing) != 0)
            throw_file_errno(errno, to);
        if (S_ISLNK(existing.st_mode)) {
            // A link to the source is the source by another name.
            struct stat target {};
            if (::stat(to.c_str(), &target) == 0 && same_inode(target, source))
                throw Failure(failure_code::path_file_access_error);
            fd = replace_entry(to);
        } else {
            if (same_inode(existing, source) || !S_ISREG(existing.st_mode))
                throw Failure(failure_code::path_file_access_error);
            // Root may write anything; a write-protected file on the card is kept all the same.
            if (write_protected(existing))
                throw Failure(failure_code::permission_denied);
            if (existing.st_nlink > 1)
                fd = replace_entry(to);
            else
                fd = UniqueFd(::open(to.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
            if (!fd)
                fail(errno);
        }
    }
    if (::fstat(fd.get(), &opened) != 0)
        fail(errno);
    if (same_inode(opened, source))
        throw Failure(failure_code::path_file_access_error);
    if (!S_ISREG(opened.st_mode))
        throw Failure(failure_code::path_file_access_error);
    make_blocking(fd.get());
    return fd;
}

// Whether a kernel copy path turned the job down (the volumes or the kernel cannot
// do it), as opposed to failing at it.
bool declined(int error) {
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP ||
           error == EBADF;
}

// Each step copies from the current file offsets to the end of the source and says
// whether it got there; false hands the rest to the next method.
void stop_if_asked(const std::stop_token& stop) {
    if (stop.stop_requested())
        throw CopyStopped();
}

bool copy_by_range(int in, int out, const std::stop_token& stop) {
    for (;;) {
        stop_if_asked(stop);
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, stretch, 0);
        if (n > 0)
            continue;
        if (n == 0)
            // Some file systems report an end they have not reached (files whose
            // size they do not know); the next method settles where it really is.
            return false;
        if (errno == EINTR)
            continue;
        if (declined(errno))
            return false;
        fail(errno);
    }
}

bool copy_by_sendfile(int in, int out, const std::stop_token& stop) {
    for (;;) {
        stop_if_asked(stop);
        const ssize_t n = ::sendfile(out, in, nullptr, stretch);
        if (n > 0)
            continue;
        if (n == 0)
            return true;
        if (errno == EINTR)
            continue;
        if (declined(errno))
            return false;
        fail(errno);
    }
}

void copy_by_read_write(int in, int out, const std::stop_token& stop) {
    std::vector<char> buffer(stretch);
    for (;;) {
        stop_if_asked(stop);
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got == 0)
            return;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put =
                ::write(out, buffer.data() + done, static_cast<std::size_t>(got - done));
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                fail(errno);
            }
            if (put == 0)
                fail(ENOSPC);
            done += put;
        }
    }
}

void copy_bytes(int in, int out, CopyMethod first, const std::stop_token& stop) {
    if (first == CopyMethod::copy_file_range && copy_by_range(in, out, stop))
        return;
    if (first != CopyMethod::read_write && copy_by_sendfile(in, out, stop))
        return;
    copy_by_read_write(in, out, stop);
}

// Takes away what a failed copy left, but only if the name still means the file
// this copy wrote to.
void remove_partial(const std::string& to, const struct stat& written) noexcept {
    struct stat now {};
    if (::lstat(to.c_str(), &now) == 0 && same_inode(now, written))
        ::unlink(to.c_str());
}

} // namespace

void copy_file_in_place(const std::string& from, const std::string& to, CopyMethod first,
                        std::stop_token stop) {
    struct stat source_stat {};
    const UniqueFd source = open_source(from, source_stat);
    struct stat target_stat {};
    UniqueFd target = open_destination(to, source_stat, target_stat);
    try {
        // A file just created is empty already; only an old one is cut back.
        if (target_stat.st_size != 0 && ::ftruncate(target.get(), 0) != 0)
            fail(errno);
        copy_bytes(source.get(), target.get(), first, stop);
        if (::fdatasync(target.get()) != 0)
            fail(errno);
        if (const int error = target.close(); error != 0)
            fail(error);
    } catch (...) {
        // Closed before the unlink: a FUSE volume would otherwise keep an open,
        // deleted file as a hidden file on the card.
        target.reset();
        remove_partial(to, target_stat);
        throw;
    }
}

} // namespace kadoru
