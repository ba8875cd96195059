#pragma once

#include <string>

namespace zolvera::wallpaper {

// An exclusive lock on <folder>/wallpaper.lock, held for the object's life, so that two runs
// (a timer and a user) never write the wallpaper files or the positions at the same time. A
// run that finds the lock taken waits for it. The folder is made when needed; a lock that
// cannot be taken throws "Cannot create file "%s". %s".
class RunLock {
public:
    explicit RunLock(const std::string& folder);
    ~RunLock();
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

    // The lock file in a folder.
    static std::string path(const std::string& folder) { return folder + "/wallpaper.lock"; }

private:
    int fd_ = -1;
};

} // namespace zolvera::wallpaper
