#pragma once

#include "platform/Failure.h"
#include "platform/FolderLock.h"

#include <functional>
#include <string>

namespace zolvera::library {

// A change of the library given up while another window or program held its lock: nothing of
// it was written.
class LibraryBusy : public Failure {
public:
    LibraryBusy();
};

// The lock of the folder that holds the library file at `path`, taken as `wait` says. Throws
// LibraryBusy when the waiting was given up, and what cannotLock makes of the system's reason
// when the folder cannot be locked at all.
platform::FolderLock lockFolderOf(const std::string& path, const platform::LockWait& wait,
                                  const std::function<Failure(const std::string&)>& cannotLock);

} // namespace zolvera::library
