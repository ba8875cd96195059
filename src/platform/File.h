#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zolvera::platform {

// An open file, closed when destroyed. Paths are resolved without regard to case. Every call
// throws IoFailure, which carries the Windows-style code of the failure and the system's text
// for it; a caller that names the file in its message builds that message from the IoFailure.
class File {
public:
    // Opens an existing plain file for reading (a folder, a pipe or a device is refused).
    [[nodiscard]] static File openRead(const std::string& path);
    // Creates a file for exclusive writing, replacing an existing one of that name in any
    // letter case.
    [[nodiscard]] static File create(const std::string& path);

    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    // Reads up to size bytes in one call (repeated only when interrupted); returns the count.
    [[nodiscard]] std::size_t read(void* buffer, std::size_t size);
    // Writes all bytes; a short write is "Disk full" (101).
    void write(const void* data, std::size_t size);
    // Moves the position forward by count bytes without reading them.
    void skip(std::uint64_t count);
    std::uint64_t size() const;
    // Copies the whole file, from its start, to target as copyFile does; false when that fails.
    [[nodiscard]] bool copyTo(const std::string& target);
    // Closes the file, reporting a failure of the close itself.
    void close();

private:
    friend class StagedFile;
    explicit File(int fd) : fd_(fd) {}
    int fd_ = -1;
};

// The new content of a file, written to a temporary file beside it and put in place by a rename
// only when complete. Until commit succeeds the file at the path stays exactly as it was, and
// a StagedFile that goes away uncommitted removes its temporary file. The temporary file is
// made without following links, and the rename replaces whatever entry has the name (a
// symbolic link is replaced, never written through). A file that is replaced keeps its
// permissions. Every call throws IoFailure.
//
// With NewFiles::InPlace a file that replaces nothing is written at its own name instead, which
// saves the rename: it is created exclusively and without following links (an entry that
// appears meanwhile sends it back to staging), and removed again unless committed. Only for
// files that nobody reads while they are written.
class StagedFile {
public:
    enum class NewFiles { Staged, InPlace };
    // AsWritten takes a path already resolved (FolderNames) as it stands.
    enum class Naming { AnyCase, AsWritten };

    explicit StagedFile(const std::string& path, NewFiles newFiles = NewFiles::Staged,
                        Naming naming = Naming::AnyCase);
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    ~StagedFile();

    void write(const void* data, std::size_t size);
    // Appends up to size bytes of the source from its position on, copied inside the kernel
    // where the file systems allow it; returns the count, less than size only where the source
    // ended.
    [[nodiscard]] std::size_t copyFrom(File& source, std::size_t size);
    // Renames the content over the target; when it replaces an earlier file, the content is
    // flushed to disk first.
    void commit();

private:
    std::string target_;
    std::string temporary_; // the target itself when written in place
    File file_;
    bool replacing_ = false;
    bool committed_ = false;
};

// Replaces a file atomically with the given bytes through a StagedFile. When the path is a
// symbolic link, the file it leads to is replaced and the link stays. Throws IoFailure, and
// the old file is then unchanged.
void replaceFileAtomically(const std::string& path, const std::string& bytes);
// The same, throwing "Cannot create file "%s". %s" (the text the user sees) instead.
void replaceFileOrFail(const std::string& path, const std::string& bytes);

// Reads a whole file. Throws "Cannot open file "%s". %s" when it cannot be read.
[[nodiscard]] std::string readWholeFile(const std::string& path);

} // namespace zolvera::platform
