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

// One row of samples in the layout the compressor is given.
void fillRow(std::vector<JSAMPLE>& row, int y, const JpegOptions& o) {
    for (int x = 0; x < o.width; ++x) {
        const Rgb p = patternPixel(x, y, o);
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

} // namespace

// libjpeg's default error handler ends the process with a message, which is what a broken
// fixture deserves.
std::string jpegBytes(const JpegOptions& options) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);

    cinfo.image_width = static_cast<JDIMENSION>(options.width);
    cinfo.image_height = static_cast<JDIMENSION>(options.height);
    cinfo.input_components = options.gray ? 1 : options.cmyk ? 4 : 3;
    cinfo.in_color_space = options.gray ? JCS_GRAYSCALE : options.cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    if (options.cmyk)
        cinfo.write_Adobe_marker = options.adobeMarker;
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    cinfo.restart_in_rows = options.restartRows;
    if (options.progressive)
        jpeg_simple_progression(&cinfo);

    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(std::size_t(options.width) * std::size_t(cinfo.input_components));
    while (cinfo.next_scanline < cinfo.image_height) {
        fillRow(row, static_cast<int>(cinfo.next_scanline), options);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return bytes;
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
