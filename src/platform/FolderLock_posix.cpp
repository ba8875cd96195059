#include "platform/FolderLock.h"

#include "platform/Failure.h"
#include "platform/UniqueFd.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>

namespace zolvera::platform {

FolderLock::FolderLock(const std::string& folder) {
    // A folder opened for reading takes a lock as a file does, and needs no lock file that a
    // read-only library could not hold.
    UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid())
        throw IoFailure::fromErrno(errno);
    int result = 0;
    do
        result = ::flock(fd.get(), LOCK_EX);
    while (result != 0 && errno == EINTR);
    if (result != 0)
        throw IoFailure::fromErrno(errno);
    fd_ = fd.release();
}

FolderLock::~FolderLock() {
    ::close(fd_); // closing the descriptor releases the lock
}

} // namespace zolvera::platform
