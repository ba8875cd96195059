#pragma once

#include <stdexcept>
#include <string>

namespace zolvera {

// A failure the user is told about. what() is the exact text shown to the user.
class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A failed read, write, open or close reported with a Windows-style I/O error code
// (2 file not found, 3 path not found, 4 too many open files, 5 access denied, 101 disk full).
// what() is the I/O error text of the code ("File not found", ..., "I/O error %d"); reason() the
// system's own text, for the messages that name the file ("Cannot open file "%s". %s").
class IoFailure : public Failure {
public:
    explicit IoFailure(int code);
    // The failure of a system call, from the errno value it left.
    static IoFailure fromErrno(int errnoValue);
    int code() const { return code_; }
    const std::string& reason() const { return reason_; }

private:
    IoFailure(int code, std::string reason);
    int code_;
    std::string reason_;
};

namespace failures {

Failure cannotOpenFile(const std::string& path, const std::string& reason);
Failure cannotCreateFile(const std::string& path, const std::string& reason);
Failure listIndexOutOfBounds(int index);
Failure unableToWrite(const std::string& path);
Failure jpegError(int messageCode);
Failure invalidDataType(const std::string& valueName);
Failure failedToSetData(const std::string& valueName);

} // namespace failures

// The text of the general error report: the message with a full stop added when its last
// character sorts after "." in the character code.
std::string errorReportText(const std::string& message);

} // namespace zolvera
