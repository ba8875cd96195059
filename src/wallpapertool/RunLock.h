#pragma once

#include "platform/UniqueFd.h"

#include <string>

namespace zolvera::wallpaper {

// An exclusive lock on a file, held for the object's life, so that two runs (a timer and a
// user) never write the wallpaper files or the positions at the same time. A run that finds the
// lock taken waits for it. The file's folder is made when needed; a lock that cannot be taken
// throws "Cannot create file "%s". %s".
class RunLock {
public:
    explicit RunLock(const std::string& path);

private:
    platform::UniqueFd fd_; // closing the last descriptor releases the lock
};

} // namespace zolvera::wallpaper
