#pragma once

#include "platform/Failure.h"
#include "platform/File.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zolvera::picture {

// A decoded picture at full size, rows top-down and tightly packed.
struct Bitmap {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;            // 24: R, G, B per pixel; 8: one palette index per pixel
    std::vector<std::uint8_t> pixels; // height rows of width * bitsPerPixel / 8 bytes
    std::vector<std::array<std::uint8_t, 3>> palette; // R, G, B entries; 8-bit pictures only
};

// Receives a picture while it is decoded, a row at a time, so that no full-size bitmap is kept.
class RowReader {
public:
    // The bitmap's size and depth, before the first row (its pixels and palette are empty).
    virtual void begin(const Bitmap& shape) = 0;
    // Row y, top-down, with the palette of an 8-bit picture filled in. Runs inside the decoder,
    // which cannot pass an exception on: it must not throw.
    virtual void row(const Bitmap& shape, int y, const std::uint8_t* pixels) noexcept = 0;

protected:
    ~RowReader() = default;
};

// The largest picture file that is read: a JPEG wallpaper is far smaller. A larger file is
// refused unread as "Cannot open file "%s". File too large".
inline constexpr std::uint64_t kMaxPictureFileSize = std::uint64_t{256} << 20;

// "JPEG error #%d": the file holds no picture the decoder can read, and will not until it
// changes (unlike a file that cannot be read at the moment, or a lack of memory).
class DamagedPicture : public Failure {
public:
    using Failure::Failure;
};

// A JPEG file: the header is read when it is loaded, the pixels decoded from the file when
// asked for. The file is read a piece at a time, only as far as the decoder needs it. Every
// failure is a Failure; those of the file and a lack of memory name it ("Cannot open file "%s".
// %s"), a damaged picture reads "JPEG error #%d".
class JpegPicture {
public:
    // Reads the header (only as much of the file as it takes). Throws "Cannot open file "%s".
    // %s" when the file cannot be read or is over the size limit and "JPEG error #%d" when it is
    // no JPEG picture.
    static JpegPicture load(const std::string& path);

    // The path it was loaded from.
    const std::string& path() const;
    int width() const;
    int height() const;
    bool isGray() const;

    // Decodes at 1:1 with the accurate integer DCT and block smoothing: colour pictures to
    // 24 bits, single-component pictures through the one-pass quantiser to 236 colours.
    // The file is read again, so the bitmap is what it holds now. Throws "Cannot open file
    // "%s". %s" when it has gone and "JPEG error #%d" on a fatal decoder error.
    Bitmap decode() const;
    // Decodes as decode() does, and fails as it does, handing the rows to reader instead.
    void decode(RowReader& reader) const;

    // For a picture shown at width x height: the largest of libjpeg's DCT scale denominators
    // (8, 4, 2, 1) at which both sides still decode to at least that size. Most of the inverse
    // transform, upsampling and colour conversion is then skipped.
    int scaleDenominatorFor(int width, int height) const;
    // Decode as the two above at that scale, and fail as they do: the bitmap is only about the
    // shown size, a gray picture keeps its 256 levels (see JpegTarget). Meant for showing; a
    // picture converted or needed at its full size is decoded at 1:1.
    Bitmap decodeToShow(int width, int height) const;
    void decodeToShow(int width, int height, RowReader& reader) const;

private:
    struct Data;
    explicit JpegPicture(std::shared_ptr<const Data> data) : data_(std::move(data)) {}
    std::shared_ptr<const Data> data_;
};

// A picture decoded at 1:1 as JpegPicture::load(path).decode() does it, and the file it was
// decoded from, still open: a copy of the picture is then made of the very file that decoded,
// not of whatever the path names by then. Fails as load and decode do.
struct DecodedFile {
    Bitmap bitmap;
    platform::File file;
};
DecodedFile decodeFile(const std::string& path);

// Writes the picture as an uncompressed Windows bitmap file: 24-bit BGR without a colour table,
// or 8-bit with the palette as its colour table; rows bottom-up, padded to 4 bytes. The file is
// created or replaced; it is put in place only
// when complete. Throws "Cannot create file "%s". %s" when it cannot be created or written, and
// an earlier file of that name is then unchanged.
void writeBmp(const Bitmap& bitmap, const std::string& path);

} // namespace zolvera::picture
