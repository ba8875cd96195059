#include "wallpapertool/RunLock.h"

#include "platform/Failure.h"
#include "platform/UniqueFd.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>

namespace zolvera::wallpaper {

RunLock::RunLock(const std::string& file) {
    std::error_code ignored; // a folder that cannot be made shows up when the file is opened
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ignored);
    platform::UniqueFd fd(::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (!fd.valid())
        throw failures::cannotCreateFile(file, IoFailure::fromErrno(errno).reason());
    int result = 0;
    do
        result = ::flock(fd.get(), LOCK_EX);
    while (result != 0 && errno == EINTR);
    if (result != 0)
        throw failures::cannotCreateFile(file, IoFailure::fromErrno(errno).reason());
    fd_ = fd.release();
}

RunLock::~RunLock() {
    ::close(fd_); // closing the last descriptor releases the lock
}

} // namespace zolvera::wallpaper
