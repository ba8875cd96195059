#include "picture/Picture.h"

#include "picture/BmpLayout.h"
#include "picture/JpegDecoder.h"
#include "platform/Failure.h"
#include "platform/File.h"

#include <new>

#include <jerror.h>

namespace zolvera::picture {

struct JpegPicture::Data {
    std::string path;
    JpegHeader header;
};

namespace {

// A header normally sits in the first few kilobytes (an EXIF thumbnail takes up to 64 KB), so
// loading reads only this much: showing a group of hundreds of photographs then reads a
// fraction of them. A header that reaches further is read from the whole file.
constexpr std::size_t kHeaderPrefix = 128 * 1024;

const std::uint8_t* bytesOf(const std::string& bytes) {
    return reinterpret_cast<const std::uint8_t*>(bytes.data());
}

// The first bytes of a file, up to size; "Cannot open file "%s". %s" when it cannot be read.
std::string readPrefix(const std::string& path, std::size_t size) {
    std::string prefix(size, '\0');
    try {
        platform::File file = platform::File::openRead(path);
        std::size_t filled = 0;
        while (filled < size) {
            const std::size_t got = file.read(prefix.data() + filled, size - filled);
            if (got == 0)
                break;
            filled += got;
        }
        prefix.resize(filled);
    } catch (const IoFailure& failure) {
        throw failures::cannotOpenFile(path, failure.reason());
    }
    return prefix;
}

} // namespace

JpegPicture JpegPicture::load(const std::string& path) {
    auto data = std::make_shared<Data>();
    data->path = path;
    const std::string prefix = readPrefix(path, kHeaderPrefix);
    // A header found in the prefix is the file's header: libjpeg stops at the first scan, and
    // every marker before it must have been read whole.
    int code = readJpegHeader(bytesOf(prefix), prefix.size(), &data->header);
    if (code != 0 && prefix.size() == kHeaderPrefix) {
        const std::string bytes = platform::readWholeFile(path);
        code = readJpegHeader(bytesOf(bytes), bytes.size(), &data->header);
    }
    if (code != 0)
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
    // The picture is decoded from its file as it is now, and the bitmap sized from the header
    // of the bytes decoded, whatever the file held when it was loaded.
    const std::string bytes = platform::readWholeFile(data_->path);
    JpegHeader header;
    if (const int code = readJpegHeader(bytesOf(bytes), bytes.size(), &header))
        throw failures::jpegError(code);
    Bitmap bitmap;
    bitmap.width = header.width;
    bitmap.height = header.height;
    bitmap.bitsPerPixel = header.gray ? 8 : 24;
    // A damaged header may claim up to 65500 × 65500 pixels in a file of a few hundred bytes,
    // and decoding that takes gigabytes and seconds at every paint. Wallpapers are far smaller:
    // an 8K picture has 33 million pixels, a phone's panorama up to about 65 million.
    constexpr std::uint64_t kMaxPixels = 100'000'000;
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
    if (const int code = decodeJpeg(bytesOf(bytes), bytes.size(), &target))
        throw failures::jpegError(code);
    bitmap.palette.assign(target.palette.begin(), target.palette.begin() + target.paletteSize);
    return bitmap;
}

} // namespace zolvera::picture
