#include "picture/CoverJpeg.h"

#include "picture/JpegEncoder.h"
#include "picture/Picture.h"
#include "platform/Failure.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zolvera::picture {

namespace {

constexpr int kCoverQuality = 90;

// The R, G, B of a pixel of the bitmap, through the palette of an 8-bit one.
const std::uint8_t* rgbAt(const Bitmap& bitmap, int x, int y) {
    const std::size_t index = std::size_t(y) * std::size_t(bitmap.width) + std::size_t(x);
    if (bitmap.bitsPerPixel == 8)
        return bitmap.palette[bitmap.pixels[index]].data();
    return bitmap.pixels.data() + index * 3;
}

// Each target pixel the average of the source pixels it covers (at least one each way, so that
// a small picture is enlarged too).
std::vector<std::uint8_t> stretched(const Bitmap& from, int width, int height) {
    std::vector<std::uint8_t> to(std::size_t(width) * std::size_t(height) * 3);
    for (int y = 0; y < height; ++y) {
        const int top = int(std::int64_t(y) * from.height / height);
        const int bottom = std::max(top + 1, int(std::int64_t(y + 1) * from.height / height));
        for (int x = 0; x < width; ++x) {
            const int left = int(std::int64_t(x) * from.width / width);
            const int right = std::max(left + 1, int(std::int64_t(x + 1) * from.width / width));
            std::uint64_t sum[3] = {0, 0, 0};
            for (int sy = top; sy < bottom; ++sy)
                for (int sx = left; sx < right; ++sx) {
                    const std::uint8_t* rgb = rgbAt(from, sx, sy);
                    for (int c = 0; c < 3; ++c)
                        sum[c] += rgb[c];
                }
            const std::uint64_t count = std::uint64_t(bottom - top) * std::uint64_t(right - left);
            std::uint8_t* out = to.data() + (std::size_t(y) * std::size_t(width) + x) * 3;
            for (int c = 0; c < 3; ++c)
                out[c] = std::uint8_t((sum[c] + count / 2) / count);
        }
    }
    return to;
}

} // namespace

std::string coverJpeg(const std::string& path, int width, int height) {
    const Bitmap bitmap = JpegPicture::load(path).decodeToShow(width, height);
    const std::vector<std::uint8_t> pixels = stretched(bitmap, width, height);
    JpegImage image;
    image.width = width;
    image.height = height;
    image.pixels = pixels.data();
    // Far more than a compressed picture of this size takes at this quality.
    std::string file(pixels.size() + 4096, '\0');
    std::size_t size = 0;
    if (const int code =
            encodeJpeg(&image, kCoverQuality, reinterpret_cast<std::uint8_t*>(file.data()),
                       file.size(), &size))
        throw failures::jpegError(code);
    file.resize(size);
    return file;
}

} // namespace zolvera::picture
