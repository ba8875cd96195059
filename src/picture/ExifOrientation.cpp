#include "picture/ExifOrientation.h"

#include <cstring>

namespace zolvera::picture {

namespace {

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;

// The TIFF structure after the "Exif" prefix, in its own byte order.
struct Tiff {
    const std::uint8_t* data;
    std::size_t size;
    bool bigEndian;

    bool has(std::size_t at, std::size_t count) const { return at <= size && count <= size - at; }
    std::uint32_t read(std::size_t at, int bytes) const {
        std::uint32_t value = 0;
        for (int i = 0; i < bytes; ++i) {
            const std::uint32_t byte = data[at + std::size_t(bigEndian ? i : bytes - 1 - i)];
            value = value << 8 | byte;
        }
        return value;
    }
};

} // namespace

int exifOrientation(const std::uint8_t* data, std::size_t size) noexcept {
    constexpr std::size_t kPrefix = 6;
    if (size < kPrefix + 8 || std::memcmp(data, "Exif\0\0", kPrefix) != 0)
        return 1;
    Tiff tiff{data + kPrefix, size - kPrefix, data[kPrefix] == 'M'};
    if (std::memcmp(tiff.data, tiff.bigEndian ? "MM" : "II", 2) != 0 || tiff.read(2, 2) != 42)
        return 1;
    // The first directory: a count of 12-byte entries (tag, type, count, value).
    const std::size_t directory = tiff.read(4, 4);
    if (!tiff.has(directory, 2))
        return 1;
    const std::size_t entries = tiff.read(directory, 2);
    for (std::size_t i = 0; i < entries; ++i) {
        const std::size_t entry = directory + 2 + 12 * i;
        if (!tiff.has(entry, 12))
            return 1;
        if (tiff.read(entry, 2) != kOrientationTag)
            continue;
        if (tiff.read(entry + 2, 2) != kShortType || tiff.read(entry + 4, 4) != 1)
            return 1;
        const std::uint32_t orientation = tiff.read(entry + 8, 2);
        return orientation >= 1 && orientation <= 8 ? int(orientation) : 1;
    }
    return 1;
}

} // namespace zolvera::picture
