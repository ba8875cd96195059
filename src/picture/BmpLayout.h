#pragma once

#include <cstdint>

// Sizes of the Windows bitmap file that writeBmp writes.
namespace zolvera::picture {

inline constexpr std::uint32_t kBmpFileHeaderSize = 14;
inline constexpr std::uint32_t kBmpInfoHeaderSize = 40;
inline constexpr std::uint32_t kBmpMaxColourTableSize = 256 * 4;

// The file's size fields are 32-bit: pixel data beyond this cannot be written, so pictures
// that would need more are refused before any memory is taken for them.
inline constexpr std::uint64_t kBmpMaxPixelBytes =
    0xFFFFFFFFu - kBmpFileHeaderSize - kBmpInfoHeaderSize - kBmpMaxColourTableSize;

// Bytes per stored row: rows are padded to a multiple of 4 bytes.
inline constexpr std::uint64_t bmpRowStride(int width, int bitsPerPixel) {
    return (std::uint64_t(width) * std::uint64_t(bitsPerPixel) / 8 + 3) / 4 * 4;
}

} // namespace zolvera::picture
