#include "platform/Failure.h"

#include "platform/IoErrorCode.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace zolvera {

namespace {

// The system's text for an errno value ("No such file or directory").
std::string systemReason(int errnoValue) {
    return std::strerror(errnoValue);
}

// The I/O error text for a Windows-style code.
std::string ioErrorText(int code) {
    switch (code) {
    case kFileNotFound:
        return "File not found";
    case kInvalidFilename:
        return "Invalid filename";
    case kTooManyOpenFiles:
        return "Too many open files";
    case kAccessDenied:
        return "File access denied";
    case kDiskFull:
        return "Disk full";
    default:
        return "I/O error " + std::to_string(code);
    }
}

// The Windows-style I/O error code of an errno value.
int ioErrorCode(int errnoValue) {
    switch (errnoValue) {
    case ENOENT:
        return kFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
        return kInvalidFilename;
    case EMFILE:
    case ENFILE:
        return kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return kAccessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return kDiskFull;
    case EIO: // errno 5 would read as "File access denied"
        return kDeviceError;
    default:
        return errnoValue;
    }
}

} // namespace

IoFailure::IoFailure(int code) : IoFailure(code, ioErrorText(code)) {}

IoFailure::IoFailure(int code, std::string reason)
    : Failure(ioErrorText(code)), code_(code), reason_(std::move(reason)) {}

IoFailure IoFailure::fromErrno(int errnoValue) {
    return IoFailure(ioErrorCode(errnoValue), systemReason(errnoValue));
}

namespace failures {

Failure cannotOpenFile(const std::string& path, const std::string& reason) {
    return Failure("Cannot open file \"" + path + "\". " + reason);
}

Failure cannotCreateFile(const std::string& path, const std::string& reason) {
    return Failure("Cannot create file \"" + path + "\". " + reason);
}

Failure listIndexOutOfBounds(int index) {
    return Failure("List index out of bounds (" + std::to_string(index) + ")");
}

Failure unableToWrite(const std::string& path) {
    return Failure("Unable to write to " + path);
}

Failure jpegError(int messageCode) {
    return Failure("JPEG error #" + std::to_string(messageCode));
}

Failure invalidDataType(const std::string& valueName) {
    return Failure("Invalid data type for '" + valueName + "'");
}

Failure failedToSetData(const std::string& valueName) {
    return Failure("Failed to set data for '" + valueName + "'");
}

} // namespace failures

std::string errorReportText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

} // namespace zolvera
