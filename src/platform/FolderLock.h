#pragma once

#include "platform/UniqueFd.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace zolvera::platform {

// How long to wait for a folder lock that another process holds: `first` before anyone is
// asked, then `again` each time goOn() says to wait on. Without goOn the waiting ends after
// `first`.
struct LockWait {
    std::chrono::milliseconds first{200};
    std::chrono::milliseconds again{1000};
    std::function<bool()> goOn;
};

// Takes an exclusive flock on an open descriptor, waiting at most `limit`, or without one for as
// long as it takes; false when the time ran out. Throws IoFailure when it cannot be taken at all.
bool lockExclusive(int fd, std::optional<std::chrono::milliseconds> limit);

// An exclusive advisory lock (flock) on a folder itself, held for the object's life. Programs
// that change the same files of a folder take it around each read-change-write, so that no
// change of one is written over by an older copy of another.
class FolderLock {
public:
    // Takes the lock of the folder (its name resolved without regard to case, as every file
    // operation resolves it), waiting as `wait` says; nothing when the waiting was given up.
    // Throws IoFailure when the folder cannot be opened or locked.
    static std::optional<FolderLock> acquire(const std::string& folder, const LockWait& wait);

private:
    explicit FolderLock(UniqueFd fd) : fd_(std::move(fd)) {}
    UniqueFd fd_; // closing the descriptor releases the lock
};

} // namespace zolvera::platform
