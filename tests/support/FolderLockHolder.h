#pragma once

#include <string>
#include <sys/types.h>

namespace zolvera::test {

// Another process that holds the lock (flock) of a folder, as a second window or program in the
// middle of a change would, until release() or the end of the object.
class FolderLockHolder {
public:
    // Returns once the other process holds the lock.
    explicit FolderLockHolder(const std::string& folder);
    ~FolderLockHolder();
    FolderLockHolder(const FolderLockHolder&) = delete;
    FolderLockHolder& operator=(const FolderLockHolder&) = delete;

    // Ends the other process, which releases the lock.
    void release();

private:
    pid_t child_ = -1;
    int go_ = -1; // closing it tells the child to end
};

} // namespace zolvera::test
