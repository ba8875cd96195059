#include "FolderLockHolder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zolvera::test {

FolderLockHolder::FolderLockHolder(const std::string& folder) {
    int ready[2];
    int go[2];
    if (::pipe(ready) != 0 || ::pipe(go) != 0) {
        ADD_FAILURE() << "no pipe for the lock holder";
        return;
    }
    child_ = ::fork();
    if (child_ == 0) {
        // Only system calls from here on: the child of a program with threads.
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const char held = fd >= 0 && ::flock(fd, LOCK_EX) == 0 ? 1 : 0;
        (void)!::write(ready[1], &held, 1);
        ::close(go[1]);
        char ignored = 0;
        (void)!::read(go[0], &ignored, 1); // returns when the parent closes its end
        ::_exit(0);
    }
    ::close(ready[1]);
    ::close(go[0]);
    go_ = go[1];
    char held = 0;
    if (child_ < 0 || ::read(ready[0], &held, 1) != 1 || held != 1)
        ADD_FAILURE() << "the other process could not lock " << folder;
    ::close(ready[0]);
}

FolderLockHolder::~FolderLockHolder() {
    release();
}

void FolderLockHolder::release() {
    if (go_ >= 0)
        ::close(go_);
    go_ = -1;
    if (child_ > 0)
        ::waitpid(child_, nullptr, 0);
    child_ = -1;
}

} // namespace zolvera::test
