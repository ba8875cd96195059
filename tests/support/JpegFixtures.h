#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// JPEG pictures made for tests with libjpeg's compressor. The picture is a generated pattern:
// red grows from left to right, green from top to bottom, blue rings around the centre.
namespace zolvera::test {

struct JpegOptions {
    int width = 64;
    int height = 48;
    bool gray = false; // one gray component (the pattern's luminance)
    bool progressive = false;
    int restartRows = 0; // a restart marker every this many MCU rows; 0: none
    int quality = 85;
    bool cmyk = false;        // four components, C, M, Y, K
    bool adobeMarker = true;  // with cmyk: written with the Adobe marker and inverted, as Adobe's
                              // programs do; false: plain CMYK without the marker
    double ringWidth = 3;     // the blue channel's rings, sin(distance / ringWidth): fine detail
    int grain = 0;            // noise of up to ± grain levels on every sample, as in a photograph
    std::string exif{};       // written as an APP1 marker when not empty (see exifOrientation)
    std::string iccProfile{}; // written as the colour profile when not empty
};

// The APP1 data of EXIF that gives only an orientation (1 to 8), in either TIFF byte order.
std::string exifOrientation(int orientation, bool bigEndian);

// Pixels rows of width * channels bytes (3: R, G, B; 1: gray levels).
struct TestPixels {
    int width = 0;
    int height = 0;
    int channels = 3;
    std::vector<std::uint8_t> data;
};
// The pixels as a JPEG file at quality, with libjpeg's default settings otherwise.
std::string jpegOfPixels(const TestPixels& pixels, int quality);

// The bytes of a JPEG file.
std::string jpegBytes(const JpegOptions& options = {});
// Writes a JPEG file, creating the folders on the way.
void writeJpeg(const std::string& path, const JpegOptions& options = {});
// Writes only the first keepBytes bytes of the JPEG: a damaged or cut-off download.
void writeTruncatedJpeg(const std::string& path, std::size_t keepBytes,
                        const JpegOptions& options = {});
// Where the compressed data of the first scan begins. Cutting a file before this damages its
// header; cutting it after leaves the picture's end missing.
std::size_t firstScanOffset(const std::string& jpeg);

} // namespace zolvera::test
