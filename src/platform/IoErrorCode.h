#pragma once

namespace zolvera {

// The Windows-style I/O error codes of IoFailure that the program names.
enum IoErrorCode : int {
    kFileNotFound = 2,
    kInvalidFilename = 3, // also a path whose folder is missing
    kTooManyOpenFiles = 4,
    kAccessDenied = 5,
    kDiskFull = 101,
    kDeviceError = 1117, // Windows' ERROR_IO_DEVICE
};

} // namespace zolvera
