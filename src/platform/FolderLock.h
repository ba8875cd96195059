#pragma once

#include <string>

namespace zolvera::platform {

// An exclusive advisory lock (flock) on a folder itself, held for the object's life. Programs
// that change the same files of a folder take it around each read-change-write, so that no
// change of one is written over by an older copy of another. A lock held elsewhere is waited
// for. Throws IoFailure when the folder cannot be opened or locked.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_ = -1;
};

} // namespace zolvera::platform
