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

namespace {

struct Source {
    std::string bytes;
    Bitmap shape; // without pixels
};

// The file's bytes as they are now and the bitmap that they decode to at 1 / denominator,
// sized from their own header whatever the file held when it was loaded.
Source readSource(const std::string& path, int denominator) {
    Source source{platform::readWholeFile(path), {}};
    JpegHeader header;
    if (const int code = readJpegHeader(bytesOf(source.bytes), source.bytes.size(), &header))
        throw failures::jpegError(code);
    Bitmap& shape = source.shape;
    shape.width = header.width;
    shape.height = header.height;
    shape.bitsPerPixel = header.gray ? 8 : 24;
    // A damaged header may claim up to 65500 × 65500 pixels in a file of a few hundred bytes,
    // and decoding that takes gigabytes and seconds at every paint. Wallpapers are far smaller:
    // an 8K picture has 33 million pixels, a phone's panorama up to about 65 million.
    constexpr std::uint64_t kMaxPixels = 100'000'000;
    if (std::uint64_t(shape.width) * std::uint64_t(shape.height) > kMaxPixels ||
        bmpRowStride(shape.width, shape.bitsPerPixel) * std::uint64_t(shape.height) >
            kBmpMaxPixelBytes)
        throw failures::jpegError(JERR_IMAGE_TOO_BIG);
    shape.width = scaledSide(shape.width, denominator);
    shape.height = scaledSide(shape.height, denominator);
    return source;
}

void decodeSource(const Source& source, JpegTarget& target) {
    if (const int code = decodeJpeg(bytesOf(source.bytes), source.bytes.size(), &target))
        throw failures::jpegError(code);
}

Bitmap decodeWhole(const std::string& path, int denominator) {
    Source source = readSource(path, denominator);
    Bitmap bitmap = source.shape;
    try {
        bitmap.pixels.resize(std::size_t(bitmap.width) * std::size_t(bitmap.height) *
                             std::size_t(bitmap.bitsPerPixel / 8));
    } catch (const std::bad_alloc&) {
        throw failures::jpegError(JERR_OUT_OF_MEMORY);
    }

    JpegTarget target;
    target.scaleDenominator = denominator;
    target.pixels = bitmap.pixels.data();
    decodeSource(source, target);
    bitmap.palette.assign(target.palette.begin(), target.palette.begin() + target.paletteSize);
    return bitmap;
}

void decodeRows(const std::string& path, int denominator, RowReader& reader) {
    Source source = readSource(path, denominator);
    source.shape.palette.reserve(256); // filled in below without allocating
    reader.begin(source.shape);

    struct Passing {
        RowReader* reader;
        Bitmap* shape;
        JpegTarget target;
    } passing{&reader, &source.shape, {}};
    passing.target.scaleDenominator = denominator;
    passing.target.context = &passing;
    passing.target.rows = [](void* context, int y, const std::uint8_t* row) noexcept {
        auto* on = static_cast<Passing*>(context);
        if (y == 0)
            on->shape->palette.assign(on->target.palette.begin(),
                                      on->target.palette.begin() + on->target.paletteSize);
        on->reader->row(*on->shape, y, row);
    };
    decodeSource(source, passing.target);
}

} // namespace

Bitmap JpegPicture::decode() const {
    return decodeWhole(data_->path, 1);
}

void JpegPicture::decode(RowReader& reader) const {
    decodeRows(data_->path, 1, reader);
}

int JpegPicture::scaleDenominatorFor(int width, int height) const {
    for (const int denominator : {8, 4, 2})
        if (scaledSide(this->width(), denominator) >= width &&
            scaledSide(this->height(), denominator) >= height)
            return denominator;
    return 1;
}

Bitmap JpegPicture::decodeToShow(int width, int height) const {
    return decodeWhole(data_->path, scaleDenominatorFor(width, height));
}

void JpegPicture::decodeToShow(int width, int height, RowReader& reader) const {
    decodeRows(data_->path, scaleDenominatorFor(width, height), reader);
}

} // namespace zolvera::picture
