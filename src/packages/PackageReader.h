#pragma once

#include "packages/PackageFormat.h"
#include "platform/File.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace zolvera::packages {

// Reads a package strictly forward. Every length is checked against its range and against what
// is left of the file before anything that depends on it happens, so a damaged package is found
// at the first field that does not fit; it then throws damagedPackage, and a failed open or read
// throws installFailed. Names come back as UTF-8.
class PackageReader {
public:
    explicit PackageReader(const std::string& packagePath);

    struct EntryHeader {
        std::string name;
        std::size_t contentLength = 0;
    };

    std::string readGroupName();
    // True when no entry follows.
    bool atEnd() const { return position_ >= size_; }
    // How far the package has been read, and its size.
    std::uint64_t position() const { return position_; }
    std::uint64_t size() const { return size_; }
    EntryHeader readEntryHeader();
    // Appends the content announced by the last header to the file. A failed copy throws the
    // IoFailure (the caller knows which file it wrote).
    void copyContent(platform::StagedFile& target);
    // Passes over the content announced by the last header.
    void skipContent();
    // Passes over the next entry without looking at its name.
    void skipEntry();

private:
    std::int32_t readLength();
    // A length in the range that fits in what is left of the file.
    std::size_t readLengthWithin(std::int32_t least, std::size_t most);
    void skip(std::uint64_t count);
    std::string readName();
    void readExactly(char* buffer, std::size_t length);

    std::string path_;
    platform::File file_;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
    std::uint64_t contentEnd_ = 0; // where the content of the last header ends
    char nameBuffer_[kMaxNameLength] = {};
};

} // namespace zolvera::packages
