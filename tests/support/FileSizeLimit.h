#pragma once

#include <cstdint>

namespace zolvera::test {

// Limits the size of files this process writes, so that a write fails as on a full disk
// (root is not stopped by permissions); the old limit comes back when it goes away.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    std::uint64_t oldLimit_;
    void (*oldHandler_)(int);
};

} // namespace zolvera::test
