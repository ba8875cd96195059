#include "platform/File.h"

#include "platform/Failure.h"
#include "platform/FileSystem.h"
#include "platform/UniqueFd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <utility>
#include <vector>

namespace zolvera::platform {

namespace {

[[noreturn]] void throwErrno(int errnoValue) {
    throw IoFailure::fromErrno(errnoValue);
}

// Opens an existing file for reading; a folder is refused as Windows refuses it, and so is
// anything else that is not a plain file (a pipe would block the program forever). The open
// itself does not wait, for the same reason.
int openForReading(const std::string& path) {
    UniqueFd fd(::open(resolve(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.valid())
        throwErrno(errno);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        throwErrno(errno);
    if (S_ISDIR(info.st_mode))
        throwErrno(EISDIR);
    if (!S_ISREG(info.st_mode))
        throwErrno(EACCES);
    if (::fcntl(fd.get(), F_SETFL, O_RDONLY) != 0)
        throwErrno(errno);
    return fd.release();
}

// A new file beside the target that no other entry has yet. Its name does not repeat the
// target's, so a target name near the length limit still gets one. O_EXCL never follows a link.
int createTemporaryBeside(const std::string& target, std::string& temporaryPath) {
    static std::atomic<unsigned> counter{0};
    for (;;) {
        temporaryPath = folderPart(target) + kSeparator + ".zolvera-" + std::to_string(::getpid()) +
                        "-" + std::to_string(counter++) + ".tmp";
        const int fd = ::open(temporaryPath.c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST)
            throwErrno(errno);
    }
}

// Creates the target itself when no entry has its name; -1 when one has, or appears meanwhile.
// O_EXCL never follows a link, and the file is never one that existed before.
int createInPlace(const std::string& target) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0 || errno != ENOENT)
        return -1;
    const int fd =
        ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST)
        throwErrno(errno);
    return fd;
}

// The file a chain of symbolic links ends at (the path itself when it is no link); a link
// target that does not exist yet is where the file will be made.
std::string followLinks(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length < 0 || static_cast<std::size_t>(length) == sizeof target)
            return path;
        const std::string next(target, static_cast<std::size_t>(length));
        path = next.front() == kSeparator ? next : folderPart(path) + kSeparator + next;
    }
    throwErrno(ELOOP);
}

} // namespace

File File::openRead(const std::string& path) {
    return File(openForReading(path));
}

File File::create(const std::string& path) {
    const int fd = ::open(resolve(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        throwErrno(errno);
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
            throwErrno(errno);
    }
}

void File::write(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t put = ::write(fd_, bytes, size);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            throwErrno(put == 0 ? ENOSPC : errno);
        bytes += put;
        size -= static_cast<std::size_t>(put);
    }
}

void File::skip(std::uint64_t count) {
    if (::lseek(fd_, static_cast<off_t>(count), SEEK_CUR) < 0)
        throwErrno(errno);
}

std::uint64_t File::size() const {
    struct stat info {};
    if (::fstat(fd_, &info) != 0)
        throwErrno(errno);
    return static_cast<std::uint64_t>(info.st_size);
}

bool File::copyTo(const std::string& target) {
    struct stat source {};
    if (::fstat(fd_, &source) != 0)
        return false;
    const std::string to = resolve(target);
    struct stat existing {};
    if (::stat(to.c_str(), &existing) == 0 && existing.st_dev == source.st_dev &&
        existing.st_ino == source.st_ino)
        return false;
    try {
        if (::lseek(fd_, 0, SEEK_SET) < 0)
            return false;
        StagedFile out(to);
        // Copied to the source's end, however long it is by then (a count that would carry a
        // file position past its limit is refused by the kernel).
        constexpr std::size_t kToTheEnd = std::size_t{1} << 62;
        static_cast<void>(out.copyFrom(*this, kToTheEnd));
        out.commit();
    } catch (const IoFailure&) {
        return false;
    }
    // Like CopyFile, the copy keeps the source's modification time.
    const timespec times[2] = {{0, UTIME_NOW}, source.st_mtim};
    return ::utimensat(AT_FDCWD, to.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

void File::close() {
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0)
        throwErrno(errno);
}

StagedFile::StagedFile(const std::string& path, NewFiles newFiles, Naming naming)
    : target_(naming == Naming::AsWritten ? path : resolve(path)), file_(-1) {
    if (newFiles == NewFiles::InPlace) {
        if (const int fd = createInPlace(target_); fd >= 0) {
            temporary_ = target_;
            file_ = File(fd);
            return;
        }
    }
    file_ = File(createTemporaryBeside(target_, temporary_));
    struct stat info {};
    if (::lstat(target_.c_str(), &info) != 0)
        return;
    replacing_ = true;
    if (S_ISREG(info.st_mode) && ::fchmod(file_.fd_, info.st_mode & 07777) != 0) {
        const int error = errno;
        ::unlink(temporary_.c_str());
        throwErrno(error);
    }
}

StagedFile::~StagedFile() {
    if (!committed_)
        ::unlink(temporary_.c_str());
}

void StagedFile::write(const void* data, std::size_t size) {
    file_.write(data, size);
}

std::size_t StagedFile::copyFrom(File& source, std::size_t size) {
    std::size_t copied = 0;
    while (copied < size) {
        const ssize_t moved =
            ::copy_file_range(source.fd_, nullptr, file_.fd_, nullptr, size - copied, 0);
        if (moved > 0) {
            copied += static_cast<std::size_t>(moved);
        } else if (moved == 0) {
            break; // the source ended
        } else if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) {
            // Some file systems and older kernels refuse it: the rest goes through a buffer.
            std::vector<char> buffer(std::min<std::size_t>(size - copied, 1 << 16));
            while (copied < size) {
                const std::size_t got =
                    source.read(buffer.data(), std::min(buffer.size(), size - copied));
                if (got == 0)
                    break;
                file_.write(buffer.data(), got);
                copied += got;
            }
            break;
        } else if (errno != EINTR) {
            throwErrno(errno);
        }
    }
    return copied;
}

void StagedFile::commit() {
    // Without the flush, a crash soon after the rename could leave an empty file where the
    // earlier one was. A new file has nothing to lose, and installing a package of a hundred
    // pictures would take ten times longer with a flush for each.
    if (replacing_ && ::fsync(file_.fd_) != 0)
        throwErrno(errno);
    file_.close();
    if (temporary_ != target_ && ::rename(temporary_.c_str(), target_.c_str()) != 0)
        throwErrno(errno);
    committed_ = true;
    if (!replacing_)
        return;
    // Make the rename itself durable; the file is already in place if this fails.
    const UniqueFd folder(::open(folderPart(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid())
        ::fsync(folder.get());
}

void replaceFileAtomically(const std::string& path, const std::string& bytes) {
    StagedFile staged(followLinks(resolve(path)));
    staged.write(bytes.data(), bytes.size());
    staged.commit();
}

void replaceFileOrFail(const std::string& path, const std::string& bytes) {
    try {
        replaceFileAtomically(path, bytes);
    } catch (const IoFailure& failure) {
        throw failures::cannotCreateFile(path, failure.reason());
    }
}

std::string readWholeFile(const std::string& path) {
    try {
        File file = File::openRead(path);
        // Read straight into a string of the file's size, with a byte to spare that notices a
        // file growing meanwhile: appending chunks copied a picture of megabytes several times
        // over, into memory fresh from the system each time.
        std::string bytes(std::size_t(file.size()) + 1, '\0');
        std::size_t filled = 0;
        while (const std::size_t got = file.read(bytes.data() + filled, bytes.size() - filled)) {
            filled += got;
            if (filled == bytes.size())
                bytes.resize(2 * bytes.size());
        }
        bytes.resize(filled);
        return bytes;
    } catch (const IoFailure& failure) {
        throw failures::cannotOpenFile(path, failure.reason());
    }
}

} // namespace zolvera::platform
