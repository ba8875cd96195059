#include "platform/FolderLock.h"

#include "platform/Failure.h"
#include "platform/FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <utility>

namespace zolvera::platform {

bool lockExclusive(int fd, std::optional<std::chrono::milliseconds> limit) {
    if (!limit) {
        while (::flock(fd, LOCK_EX) != 0)
            if (errno != EINTR)
                throw IoFailure::fromErrno(errno);
        return true;
    }
    // flock has no time limit of its own, and a signal timer would reach every thread of the
    // program, so a limited wait polls.
    const auto deadline = std::chrono::steady_clock::now() + *limit;
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

std::optional<FolderLock> FolderLock::acquire(const std::string& folder, const LockWait& wait) {
    // A folder opened for reading takes a lock as a file does, and needs no lock file that a
    // read-only library could not hold.
    UniqueFd fd(::open(resolve(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid())
        throw IoFailure::fromErrno(errno);
    bool locked = lockExclusive(fd.get(), wait.first);
    while (!locked && wait.goOn && wait.goOn())
        locked = lockExclusive(fd.get(), wait.again);
    if (!locked)
        return std::nullopt;
    return FolderLock(std::move(fd));
}

} // namespace zolvera::platform
