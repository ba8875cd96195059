#include "wallpapertool/RunLock.h"

#include "platform/Failure.h"
#include "platform/FolderLock.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>

namespace zolvera::wallpaper {

namespace {

platform::UniqueFd openLockFile(const std::string& file) {
    std::error_code ignored; // a folder that cannot be made shows up when the file is opened
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ignored);
    platform::UniqueFd fd(::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (!fd.valid())
        throw failures::cannotCreateFile(file, IoFailure::fromErrno(errno).reason());
    return fd;
}

} // namespace

RunLock::RunLock(const std::string& file) : fd_(openLockFile(file)) {
    try {
        platform::lockExclusive(fd_.get(), std::nullopt);
    } catch (const IoFailure& failure) {
        throw failures::cannotCreateFile(file, failure.reason());
    }
}

} // namespace zolvera::wallpaper
