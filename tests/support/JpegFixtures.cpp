#include "support/JpegFixtures.h"

#include "support/TempDir.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

namespace zolvera::test {

namespace {

struct Rgb {
    int r, g, b;
};

Rgb patternPixel(int x, int y, const JpegOptions& o) {
    const double dx = x - o.width / 2.0;
    const double dy = y - o.height / 2.0;
    return {
        x * 255 / std::max(1, o.width - 1), y * 255 / std::max(1, o.height - 1),
        static_cast<int>(std::lround(127.5 + 127.5 * std::sin(std::hypot(dx, dy) / o.ringWidth)))};
}

// The pattern with its grain: a noise repeatable from the sample's place.
int grainy(int value, int x, int y, int channel, const JpegOptions& o) {
    if (o.grain == 0)
        return value;
    std::uint32_t h = std::uint32_t(x) * 73856093u ^ std::uint32_t(y) * 19349663u ^
                      std::uint32_t(channel) * 83492791u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    const int noise = int(h % std::uint32_t(2 * o.grain + 1)) - o.grain;
    return std::clamp(value + noise, 0, 255);
}

// One row of samples in the layout the compressor is given.
void fillRow(std::vector<JSAMPLE>& row, int y, const JpegOptions& o) {
    for (int x = 0; x < o.width; ++x) {
        Rgb p = patternPixel(x, y, o);
        p = {grainy(p.r, x, y, 0, o), grainy(p.g, x, y, 1, o), grainy(p.b, x, y, 2, o)};
        if (o.gray) {
            row[std::size_t(x)] = static_cast<JSAMPLE>((p.r * 77 + p.g * 150 + p.b * 29) >> 8);
        } else if (o.cmyk) {
            // Inverted CMYK: a colour channel is C * K / 255, with K the brightest channel.
            const int k = std::max({p.r, p.g, p.b});
            const int inks[4] = {k ? p.r * 255 / k : 0, k ? p.g * 255 / k : 0,
                                 k ? p.b * 255 / k : 0, k};
            for (int i = 0; i < 4; ++i)
                row[std::size_t(x * 4 + i)] =
                    static_cast<JSAMPLE>(o.adobeMarker ? inks[i] : 255 - inks[i]);
        } else {
            row[std::size_t(x * 3)] = static_cast<JSAMPLE>(p.r);
            row[std::size_t(x * 3 + 1)] = static_cast<JSAMPLE>(p.g);
            row[std::size_t(x * 3 + 2)] = static_cast<JSAMPLE>(p.b);
        }
    }
}

struct Shape {
    int width;
    int height;
    int components;
    J_COLOR_SPACE colorSpace;
};

// libjpeg's default error handler ends the process with a message, which is what a broken
// fixture deserves. setup changes the settings before the compressor starts, markers writes
// its markers after, fill gives each row.
template <typename Fill, typename Setup, typename Markers>
std::string compress(const Shape& shape, int quality, Setup setup, Markers markers, Fill fill) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);

    cinfo.image_width = static_cast<JDIMENSION>(shape.width);
    cinfo.image_height = static_cast<JDIMENSION>(shape.height);
    cinfo.input_components = shape.components;
    cinfo.in_color_space = shape.colorSpace;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    setup(cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    markers(cinfo);
    std::vector<JSAMPLE> row(std::size_t(shape.width) * std::size_t(shape.components));
    while (cinfo.next_scanline < cinfo.image_height) {
        fill(row, static_cast<int>(cinfo.next_scanline));
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return bytes;
}

const JOCTET* octets(const std::string& bytes) {
    return reinterpret_cast<const JOCTET*>(bytes.data());
}

} // namespace

std::string jpegBytes(const JpegOptions& options) {
    const Shape shape{options.width, options.height,
                      options.gray   ? 1
                      : options.cmyk ? 4
                                     : 3,
                      options.gray   ? JCS_GRAYSCALE
                      : options.cmyk ? JCS_CMYK
                                     : JCS_RGB};
    const auto setup = [&](jpeg_compress_struct& cinfo) {
        if (options.cmyk)
            cinfo.write_Adobe_marker = options.adobeMarker;
        cinfo.restart_in_rows = options.restartRows;
        if (options.progressive)
            jpeg_simple_progression(&cinfo);
    };
    const auto markers = [&](jpeg_compress_struct& cinfo) {
        if (!options.exif.empty())
            jpeg_write_marker(&cinfo, JPEG_APP0 + 1, octets(options.exif),
                              static_cast<unsigned>(options.exif.size()));
        if (!options.iccProfile.empty())
            jpeg_write_icc_profile(&cinfo, octets(options.iccProfile),
                                   static_cast<unsigned>(options.iccProfile.size()));
    };
    return compress(shape, options.quality, setup, markers,
                    [&](std::vector<JSAMPLE>& row, int y) { fillRow(row, y, options); });
}

std::string jpegOfPixels(const TestPixels& pixels, int quality) {
    const Shape shape{pixels.width, pixels.height, pixels.channels,
                      pixels.channels == 1 ? JCS_GRAYSCALE : JCS_RGB};
    const std::size_t rowBytes = std::size_t(pixels.width) * std::size_t(pixels.channels);
    return compress(
        shape, quality, [](jpeg_compress_struct&) {}, [](jpeg_compress_struct&) {},
        [&](std::vector<JSAMPLE>& row, int y) {
            std::copy_n(pixels.data.begin() + std::ptrdiff_t(std::size_t(y) * rowBytes), rowBytes,
                        row.begin());
        });
}

std::string exifOrientation(int orientation, bool bigEndian) {
    // "Exif", the TIFF header, a directory of one entry: orientation, SHORT, 1 value.
    auto field = [bigEndian](std::uint32_t value, int bytes) {
        std::string out;
        for (int i = 0; i < bytes; ++i) {
            const int shift = 8 * (bigEndian ? bytes - 1 - i : i);
            out += static_cast<char>(value >> shift & 0xFF);
        }
        return out;
    };
    return std::string("Exif\0\0", 6) + (bigEndian ? "MM" : "II") + field(42, 2) + field(8, 4) +
           field(1, 2) + field(0x0112, 2) + field(3, 2) + field(1, 4) +
           field(std::uint32_t(orientation), 2) + field(0, 2) + field(0, 4);
}

void writeJpeg(const std::string& path, const JpegOptions& options) {
    writeFile(path, jpegBytes(options));
}

void writeTruncatedJpeg(const std::string& path, std::size_t keepBytes,
                        const JpegOptions& options) {
    writeFile(path, jpegBytes(options).substr(0, keepBytes));
}

std::size_t firstScanOffset(const std::string& jpeg) {
    auto byte = [&jpeg](std::size_t at) { return static_cast<unsigned char>(jpeg.at(at)); };
    std::size_t at = 2; // after SOI
    while (byte(at) == 0xFF) {
        const unsigned marker = byte(at + 1);
        const std::size_t length = byte(at + 2) * 256u + byte(at + 3);
        at += 2 + length;
        if (marker == 0xDA) // SOS
            return at;
    }
    throw std::invalid_argument("no scan in the JPEG");
}

} // namespace zolvera::test
