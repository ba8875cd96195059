#include "platform/FolderLock.h"

#include "platform/Failure.h"
#include "platform/FileSystem.h"
#include "platform/UniqueFd.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <utility>

namespace zolvera::platform {

namespace {

// Tries the lock until it is taken or the time is up. flock has no time limit of its own, and a
// signal timer would reach every thread of the program, so the lock is polled.
bool lockWithin(int fd, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK && errno != EINTR)
            throw IoFailure::fromErrno(errno);
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace

std::optional<FolderLock> FolderLock::acquire(const std::string& folder, const LockWait& wait) {
    // A folder opened for reading takes a lock as a file does, and needs no lock file that a
    // read-only library could not hold.
    UniqueFd fd(::open(resolve(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid())
        throw IoFailure::fromErrno(errno);
    bool locked = lockWithin(fd.get(), wait.first);
    while (!locked && wait.goOn && wait.goOn())
        locked = lockWithin(fd.get(), wait.again);
    if (!locked)
        return std::nullopt;
    return FolderLock(fd.release());
}

FolderLock::FolderLock(FolderLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FolderLock::~FolderLock() {
    if (fd_ >= 0)
        ::close(fd_); // closing the descriptor releases the lock
}

} // namespace zolvera::platform
