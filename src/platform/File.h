#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zolvera::platform {

// An open file, closed when destroyed. Paths are resolved without regard to case.
// The read and write calls throw IoFailure with the Windows-style code of the failure.
class File {
public:
    // Open an existing file for reading. Throws "Cannot open file "%s". %s".
    static File openRead(const std::string& path);
    // Create a file for exclusive writing, replacing an existing one of that name in any
    // letter case. Throws "Cannot create file "%s". %s".
    static File create(const std::string& path);
    // As above, but throw IoFailure with the code of the failure instead.
    static File openReadIo(const std::string& path);
    static File createIo(const std::string& path);

    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    // Reads up to size bytes in one call (repeated only when interrupted); returns the count.
    std::size_t read(void* buffer, std::size_t size);
    // Writes all bytes; a short write throws IoFailure(101).
    void write(const void* data, std::size_t size);
    std::uint64_t size() const;
    std::uint64_t position() const;
    // Closes the file, reporting a failure of the close itself.
    void close();

private:
    explicit File(int fd) : fd_(fd) {}
    int fd_ = -1;
};

// Replaces a file atomically with the given bytes: a temporary file in the same folder,
// flushed to disk, then renamed over the target. Returns false when it cannot be done,
// and the old file is then unchanged.
bool replaceFileAtomically(const std::string& path, const std::string& bytes);
// The same, throwing "Cannot create file "%s". %s" when it cannot be done.
void replaceFileOrFail(const std::string& path, const std::string& bytes);

// Reads a whole file. Throws "Cannot open file "%s". %s" when it cannot be read.
std::string readWholeFile(const std::string& path);

} // namespace zolvera::platform
