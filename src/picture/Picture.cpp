#include "picture/Picture.h"

#include "picture/BmpLayout.h"
#include "picture/JpegDecoder.h"
#include "platform/Failure.h"
#include "platform/File.h"

#include <new>

#include <jerror.h>

namespace zolvera::picture {

struct JpegPicture::Data {
    std::string bytes; // the whole file, decoded again at every decode()
    JpegHeader header;

    const std::uint8_t* begin() const {
        return reinterpret_cast<const std::uint8_t*>(bytes.data());
    }
};

JpegPicture JpegPicture::load(const std::string& path) {
    auto data = std::make_shared<Data>();
    data->bytes = platform::readWholeFile(path);
    if (const int code = readJpegHeader(data->begin(), data->bytes.size(), &data->header))
        throw failures::jpegError(code);
    return JpegPicture(std::move(data));
}

int JpegPicture::width() const {
    return data_->header.width;
}

int JpegPicture::height() const {
    return data_->header.height;
}

bool JpegPicture::isGray() const {
    return data_->header.gray;
}

Bitmap JpegPicture::decode() const {
    Bitmap bitmap;
    bitmap.width = width();
    bitmap.height = height();
    bitmap.bitsPerPixel = isGray() ? 8 : 24;
    // A damaged header may claim up to 65500 × 65500 pixels in a file of a few bytes, and
    // decoding that would take gigabytes and many seconds; no camera makes pictures of more
    // than 2^28 pixels (16384 × 16384).
    constexpr std::uint64_t kMaxPixels = std::uint64_t(1) << 28;
    if (std::uint64_t(bitmap.width) * std::uint64_t(bitmap.height) > kMaxPixels ||
        bmpRowStride(bitmap.width, bitmap.bitsPerPixel) * std::uint64_t(bitmap.height) >
            kBmpMaxPixelBytes)
        throw failures::jpegError(JERR_IMAGE_TOO_BIG);
    try {
        bitmap.pixels.resize(std::size_t(bitmap.width) * std::size_t(bitmap.height) *
                             std::size_t(bitmap.bitsPerPixel / 8));
    } catch (const std::bad_alloc&) {
        throw failures::jpegError(JERR_OUT_OF_MEMORY);
    }

    JpegTarget target;
    target.pixels = bitmap.pixels.data();
    if (const int code = decodeJpeg(data_->begin(), data_->bytes.size(), &target))
        throw failures::jpegError(code);
    bitmap.palette.assign(target.palette.begin(), target.palette.begin() + target.paletteSize);
    return bitmap;
}

} // namespace zolvera::picture
