#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace zolvera::platform {

// How long to wait for a folder lock that another process holds: `first` before anyone is
// asked, then `again` each time goOn() says to wait on. Without goOn the waiting ends after
// `first`.
struct LockWait {
    std::chrono::milliseconds first{200};
    std::chrono::milliseconds again{1000};
    std::function<bool()> goOn;
};

// An exclusive advisory lock (flock) on a folder itself, held for the object's life. Programs
// that change the same files of a folder take it around each read-change-write, so that no
// change of one is written over by an older copy of another.
class FolderLock {
public:
    // Takes the lock of the folder (its name resolved without regard to case, as every file
    // operation resolves it), waiting as `wait` says; nothing when the waiting was given up.
    // Throws IoFailure when the folder cannot be opened or locked.
    static std::optional<FolderLock> acquire(const std::string& folder, const LockWait& wait);

    FolderLock(FolderLock&& other) noexcept;
    FolderLock& operator=(FolderLock&& other) = delete;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock();

private:
    explicit FolderLock(int fd) : fd_(fd) {}
    int fd_ = -1;
};

} // namespace zolvera::platform
