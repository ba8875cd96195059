#pragma once

#include <unistd.h>

#include <utility>

namespace zolvera::platform {

// Owns a POSIX file descriptor: closes it when it goes.
class UniqueFd {
public:
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
    UniqueFd& operator=(UniqueFd&&) = delete;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release() { return std::exchange(fd_, -1); }
    // Closes now, reporting whether the close succeeded.
    [[nodiscard]] bool close() { return ::close(release()) == 0; }

private:
    int fd_;
};

} // namespace zolvera::platform
