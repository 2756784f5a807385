#pragma once

#include <cerrno>
#include <unistd.h>
#include <utility>

namespace kadoru {

// Owns an open file descriptor. After writing, close it with close() to learn the
// close's own error (a network or FUSE volume may report a failed write only there).
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) noexcept : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }

    int get() const noexcept { return fd_; }
    explicit operator bool() const noexcept { return fd_ >= 0; }

    // Closes now: 0, or the errno of a failed close. Linux releases the descriptor
    // even when close is interrupted, so EINTR is no failure.
    int close() noexcept {
        if (fd_ < 0)
            return 0;
        if (::close(std::exchange(fd_, -1)) == 0 || errno == EINTR)
            return 0;
        return errno;
    }
    void reset() noexcept {
        if (fd_ >= 0)
            ::close(std::exchange(fd_, -1));
    }

private:
    int fd_ = -1;
};

} // namespace kadoru
