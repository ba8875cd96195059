#include "packages/PackageReader.h"

#include "platform/CodePage.h"

namespace zolvera::packages {

namespace {

platform::File openPackage(const std::string& path) {
    try {
        return platform::File::openRead(path);
    } catch (const IoFailure& failure) {
        throw installFailed(path, failure.what());
    }
}

} // namespace

PackageReader::PackageReader(const std::string& packagePath)
    : path_(packagePath), file_(openPackage(packagePath)), size_(file_.size()) {}

std::string PackageReader::readGroupName() {
    return readName();
}

PackageReader::EntryHeader PackageReader::readEntryHeader() {
    EntryHeader header;
    header.name = readName();
    header.contentLength = readLengthWithin(0, kMaxContentLength);
    contentEnd_ = position_ + header.contentLength;
    return header;
}

void PackageReader::skipEntry() {
    skip(readLengthWithin(1, kMaxNameLength));
    skip(readLengthWithin(0, kMaxContentLength));
}

void PackageReader::copyContent(platform::StagedFile& target) {
    const auto length = static_cast<std::size_t>(contentEnd_ - position_);
    const std::size_t copied = target.copyFrom(file_, length);
    position_ += copied;
    if (copied != length)
        throw damagedPackage(path_);
}

void PackageReader::skipContent() {
    skip(contentEnd_ - position_);
}

void PackageReader::skip(std::uint64_t count) {
    try {
        file_.skip(count);
    } catch (const IoFailure& failure) {
        throw installFailed(path_, failure.what());
    }
    position_ += count;
}

std::int32_t PackageReader::readLength() {
    char field[kLengthFieldSize];
    readExactly(field, sizeof field);
    return decodeLength(field);
}

std::size_t PackageReader::readLengthWithin(std::int32_t least, std::size_t most) {
    const std::int32_t length = readLength();
    if (length < least || static_cast<std::size_t>(length) > most ||
        static_cast<std::uint64_t>(length) > size_ - position_)
        throw damagedPackage(path_);
    return static_cast<std::size_t>(length);
}

std::string PackageReader::readName() {
    const std::size_t length = readLengthWithin(1, kMaxNameLength);
    readExactly(nameBuffer_, length);
    return platform::ansiToUtf8(std::string_view(nameBuffer_, length));
}

// A field that reaches past the end of the file is damage; the one read either fills it or
// the package is shorter than it claims.
void PackageReader::readExactly(char* buffer, std::size_t length) {
    if (length > size_ - position_)
        throw damagedPackage(path_);
    std::size_t got = 0;
    try {
        got = file_.read(buffer, length);
    } catch (const IoFailure& failure) {
        throw installFailed(path_, failure.what());
    }
    position_ += got;
    if (got != length)
        throw damagedPackage(path_);
}

} // namespace zolvera::packages
