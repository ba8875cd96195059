#include "platform/File.h"

#include "platform/Failure.h"
#include "platform/FileSystem.h"
#include "platform/UniqueFd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <utility>

namespace zolvera::platform {

namespace {

[[noreturn]] void throwIo(int errnoValue) {
    throw IoFailure(failures::ioErrorCode(errnoValue));
}

// Opens an existing file for reading; a folder is refused as Windows refuses it, and so is
// anything else that is not a plain file (a pipe would block the program forever). The open
// itself does not wait, for the same reason. -1 with errno set on failure.
int openForReading(const std::string& path) {
    const int fd = ::open(resolve(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return -1;
    struct stat info {};
    int error = 0;
    if (::fstat(fd, &info) != 0)
        error = errno;
    else if (S_ISDIR(info.st_mode))
        error = EISDIR;
    else if (!S_ISREG(info.st_mode))
        error = EACCES;
    else if (::fcntl(fd, F_SETFL, O_RDONLY) != 0)
        error = errno;
    if (error != 0) {
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

int openForWriting(const std::string& path) {
    return ::open(resolve(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t put = ::write(fd, data, size);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            if (put == 0)
                errno = ENOSPC; // reported as disk full
            return false;
        }
        data += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

// A name for a new file beside the target that no other file has yet; -1 when none can be made.
int createTemporaryBeside(const std::string& target, std::string& temporaryPath) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = folderPart(target) + kSeparator + "." + fileNamePart(target) + "." +
                        std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
        const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

File File::openRead(const std::string& path) {
    const int fd = openForReading(path);
    if (fd < 0)
        throw failures::cannotOpenFile(path, failures::systemReason(errno));
    return File(fd);
}

File File::create(const std::string& path) {
    const int fd = openForWriting(path);
    if (fd < 0)
        throw failures::cannotCreateFile(path, failures::systemReason(errno));
    return File(fd);
}

File File::openReadIo(const std::string& path) {
    const int fd = openForReading(path);
    if (fd < 0)
        throwIo(errno);
    return File(fd);
}

File File::createIo(const std::string& path) {
    const int fd = openForWriting(path);
    if (fd < 0)
        throwIo(errno);
    return File(fd);
}

File::File(File&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

File::~File() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::size_t File::read(void* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, size);
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (errno != EINTR)
            throwIo(errno);
    }
}

void File::write(const void* data, std::size_t size) {
    if (!writeAll(fd_, static_cast<const char*>(data), size))
        throwIo(errno);
}

std::uint64_t File::size() const {
    struct stat info {};
    if (::fstat(fd_, &info) != 0)
        throwIo(errno);
    return static_cast<std::uint64_t>(info.st_size);
}

std::uint64_t File::position() const {
    const off_t offset = ::lseek(fd_, 0, SEEK_CUR);
    if (offset < 0)
        throwIo(errno);
    return static_cast<std::uint64_t>(offset);
}

void File::close() {
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0)
        throwIo(errno);
}

bool replaceFileAtomically(const std::string& path, const std::string& bytes) {
    const std::string target = resolve(path);
    std::string temporary;
    UniqueFd fd(createTemporaryBeside(target, temporary));
    if (!fd.valid())
        return false;
    // An existing file keeps its permissions.
    struct stat info {};
    const bool kept =
        ::stat(target.c_str(), &info) != 0 || ::fchmod(fd.get(), info.st_mode & 07777) == 0;
    const bool written =
        kept && writeAll(fd.get(), bytes.data(), bytes.size()) && ::fsync(fd.get()) == 0;
    if (!fd.close() || !written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // Make the rename itself durable; the file is already in place if this fails.
    const UniqueFd folder(::open(folderPart(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid())
        ::fsync(folder.get());
    return true;
}

void replaceFileOrFail(const std::string& path, const std::string& bytes) {
    errno = 0;
    if (!replaceFileAtomically(path, bytes)) {
        const int error = errno;
        throw failures::cannotCreateFile(path, error != 0 ? failures::systemReason(error)
                                                          : "The file could not be replaced");
    }
}

std::string readWholeFile(const std::string& path) {
    const UniqueFd fd(openForReading(path));
    if (!fd.valid())
        throw failures::cannotOpenFile(path, failures::systemReason(errno));
    std::string bytes;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got == 0)
            return bytes;
        if (got > 0)
            bytes.append(buffer, static_cast<std::size_t>(got));
        else if (errno != EINTR)
            throw failures::cannotOpenFile(path, failures::systemReason(errno));
    }
}

} // namespace zolvera::platform
