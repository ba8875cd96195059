#include "picture/Picture.h"

#include "picture/BmpLayout.h"
#include "picture/JpegDecoder.h"
#include "platform/Failure.h"
#include "platform/File.h"

#include <algorithm>
#include <cerrno>
#include <exception>
#include <new>
#include <optional>

#include <jerror.h>

namespace zolvera::picture {

struct JpegPicture::Data {
    std::string path;
    JpegHeader header;
};

namespace {

// The picture's own failures name it: a missing or unreadable file, one over the size limit and
// a lack of memory read "Cannot open file "%s". %s"; a damaged picture "JPEG error #%d".
Failure cannotOpen(const std::string& path, int errnoValue) {
    return failures::cannotOpenFile(path, IoFailure::fromErrno(errnoValue).reason());
}

// A picture file read for libjpeg a buffer at a time as it asks, never beyond the size limit,
// however much the file holds or grows meanwhile.
class PictureReader {
public:
    explicit PictureReader(const std::string& path) : path_(path), file_(open(path)) {}

    JpegInput input() { return {&PictureReader::read, this}; }
    // Throws the failure a decoder's message code stands for.
    [[noreturn]] void fail(int code) const {
        if (readFailure_)
            throw failures::cannotOpenFile(path_, *readFailure_);
        if (code == JERR_OUT_OF_MEMORY)
            throw cannotOpen(path_, ENOMEM);
        throw DamagedPicture(failures::jpegError(code).what());
    }
    platform::File& file() { return file_; }

private:
    static platform::File open(const std::string& path) {
        try {
            platform::File file = platform::File::openRead(path);
            if (file.size() > kMaxPictureFileSize)
                throw cannotOpen(path, EFBIG);
            return file;
        } catch (const IoFailure& failure) {
            throw failures::cannotOpenFile(path, failure.reason());
        }
    }

    static std::ptrdiff_t read(void* context, std::uint8_t* buffer, std::size_t size) noexcept {
        auto* reader = static_cast<PictureReader*>(context);
        try {
            const std::size_t got = reader->file_.read(
                buffer, static_cast<std::size_t>(std::min<std::uint64_t>(size, reader->left_)));
            reader->left_ -= got;
            return static_cast<std::ptrdiff_t>(got);
        } catch (const IoFailure& failure) {
            reader->readFailure_ = failure.reason();
            return -1;
        }
    }

    std::string path_;
    platform::File file_;
    std::uint64_t left_ = kMaxPictureFileSize;
    std::optional<std::string> readFailure_;
};

// Runs a reading of the picture, which then fails only with a Failure, one that names the
// picture unless it is a decoder's error: never with a bare "std::bad_alloc".
template <class Reading> auto namingThePicture(const std::string& path, Reading&& reading) {
    try {
        return reading();
    } catch (const Failure&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw cannotOpen(path, ENOMEM);
    } catch (const std::exception& other) {
        throw failures::cannotOpenFile(path, other.what());
    }
}

// The bitmap that a header decodes to at 1 / denominator, without pixels; the libjpeg message
// code that refuses it when it is too large (kMaxPicturePixels, or a bitmap file too large).
int shapeOf(const JpegHeader& header, int denominator, Bitmap& shape) {
    shape.width = header.width;
    shape.height = header.height;
    shape.bitsPerPixel = header.gray ? 8 : 24;
    if (std::uint64_t(shape.width) * std::uint64_t(shape.height) > kMaxPicturePixels ||
        bmpRowStride(shape.width, shape.bitsPerPixel) * std::uint64_t(shape.height) >
            kBmpMaxPixelBytes)
        return JERR_IMAGE_TOO_BIG;
    shape.width = scaledSide(shape.width, denominator);
    shape.height = scaledSide(shape.height, denominator);
    return 0;
}

void decodeInto(PictureReader& reader, JpegTarget& target) {
    if (const int code = decodeJpeg(reader.input(), &target))
        reader.fail(code);
}

Bitmap decodeWhole(PictureReader& reader, int denominator) {
    struct Passing {
        Bitmap bitmap;
        JpegTarget target;
    } passing;
    passing.target.scaleDenominator = denominator;
    passing.target.context = &passing;
    passing.target.begin = [](void* context, const JpegHeader& header) noexcept {
        auto* on = static_cast<Passing*>(context);
        Bitmap& bitmap = on->bitmap;
        if (const int refused = shapeOf(header, on->target.scaleDenominator, bitmap))
            return refused;
        try {
            bitmap.pixels.resize(std::size_t(bitmap.width) * std::size_t(bitmap.height) *
                                 std::size_t(bitmap.bitsPerPixel / 8));
        } catch (const std::bad_alloc&) {
            return int{JERR_OUT_OF_MEMORY};
        }
        on->target.pixels = bitmap.pixels.data();
        return 0;
    };
    decodeInto(reader, passing.target);
    Bitmap& bitmap = passing.bitmap;
    bitmap.palette.assign(passing.target.palette.begin(),
                          passing.target.palette.begin() + passing.target.paletteSize);
    return std::move(bitmap);
}

void decodeRows(PictureReader& reader, int denominator, RowReader& rows) {
    struct Passing {
        RowReader* rows;
        Bitmap shape; // without pixels
        JpegTarget target;
        std::exception_ptr failure; // of rows->begin, which runs inside the decoder
    } passing{&rows, {}, {}, {}};
    passing.target.scaleDenominator = denominator;
    passing.target.context = &passing;
    passing.target.begin = [](void* context, const JpegHeader& header) noexcept {
        auto* on = static_cast<Passing*>(context);
        if (const int refused = shapeOf(header, on->target.scaleDenominator, on->shape))
            return refused;
        try {
            on->shape.palette.reserve(256); // filled in below without allocating
            on->rows->begin(on->shape);
        } catch (...) {
            on->failure = std::current_exception();
            return int{JERR_OUT_OF_MEMORY};
        }
        return 0;
    };
    passing.target.rows = [](void* context, int y, const std::uint8_t* row) noexcept {
        auto* on = static_cast<Passing*>(context);
        if (y == 0)
            on->shape.palette.assign(on->target.palette.begin(),
                                     on->target.palette.begin() + on->target.paletteSize);
        on->rows->row(on->shape, y, row);
    };
    const int code = decodeJpeg(reader.input(), &passing.target);
    if (passing.failure)
        std::rethrow_exception(passing.failure);
    if (code != 0)
        reader.fail(code);
}

Bitmap decodeWhole(const std::string& path, int denominator) {
    return namingThePicture(path, [&] {
        PictureReader reader(path);
        return decodeWhole(reader, denominator);
    });
}

void decodeRows(const std::string& path, int denominator, RowReader& rows) {
    namingThePicture(path, [&] {
        PictureReader reader(path);
        decodeRows(reader, denominator, rows);
    });
}

} // namespace

JpegPicture JpegPicture::load(const std::string& path) {
    return namingThePicture(path, [&] {
        auto data = std::make_shared<Data>();
        data->path = path;
        PictureReader reader(path);
        if (const int code = readJpegHeader(reader.input(), &data->header))
            reader.fail(code);
        return JpegPicture(std::move(data));
    });
}

int JpegPicture::width() const {
    return data_->header.width;
}

int JpegPicture::height() const {
    return data_->header.height;
}

const std::string& JpegPicture::path() const {
    return data_->path;
}

bool JpegPicture::isGray() const {
    return data_->header.gray;
}

DecodedFile decodeFile(const std::string& path) {
    return namingThePicture(path, [&] {
        PictureReader reader(path);
        Bitmap bitmap = decodeWhole(reader, 1);
        return DecodedFile{std::move(bitmap), std::move(reader.file())};
    });
}

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

// On a photograph's detail a tile shrunk from a scaled decoding stays within 2 levels on average,
// and 16 at any pixel, of one shrunk from the full size; a pattern finer than a few of the tile's
// pixels aliases differently through the two. On grainy pictures the time is mostly the entropy
// decoding, which no scale skips.
Bitmap JpegPicture::decodeToShow(int width, int height) const {
    return decodeWhole(data_->path, scaleDenominatorFor(width, height));
}

void JpegPicture::decodeToShow(int width, int height, RowReader& reader) const {
    decodeRows(data_->path, scaleDenominatorFor(width, height), reader);
}

} // namespace zolvera::picture
