#pragma once

#include <cstddef>
#include <cstdint>

// The call into libjpeg's compressor, guarded as the decoder's calls are (see JpegDecoder.h).
namespace zolvera::picture {

// Pixels to compress: height rows of width * 3 bytes (R, G, B), or width bytes of gray levels.
struct JpegImage {
    int width = 0;
    int height = 0;
    bool gray = false;
    const std::uint8_t* pixels = nullptr;
    const std::uint8_t* iccProfile = nullptr; // written with the picture when set
    unsigned iccProfileSize = 0;
};

// encodeJpeg's result when the file would not fit the buffer.
inline constexpr int kJpegTooLarge = -1;

// Compresses the image at quality (1 to 100) with libjpeg's default settings otherwise
// (baseline, colour as YCbCr with its chroma halved both ways, gray as one component) into
// buffer. Returns 0 with the file's size in *size; kJpegTooLarge, as soon as the file outgrows
// capacity; otherwise the message code of libjpeg's fatal error.
[[nodiscard]] int encodeJpeg(const JpegImage* image, int quality, std::uint8_t* buffer,
                             std::size_t capacity, std::size_t* size) noexcept;

} // namespace zolvera::picture
