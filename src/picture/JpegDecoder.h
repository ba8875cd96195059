#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The calls into libjpeg. libjpeg reports a fatal error by calling back into the program, which
// must not return; a C++ exception thrown there would unwind through libjpeg's C frames. So these
// functions catch the error with setjmp/longjmp in a frame that owns nothing with a destructor
// and report it as libjpeg's message code, which the caller turns into a failure.
namespace zolvera::picture {

// The most pixels a picture may have to be decoded. A damaged header may claim up to 65500 ×
// 65500 pixels in a file of a few hundred bytes, and decoding that takes gigabytes and seconds.
// Wallpapers are far smaller: an 8K picture has 33 million pixels, a phone's panorama up to
// about 65 million.
inline constexpr std::uint64_t kMaxPicturePixels = 100'000'000;

struct JpegHeader {
    int width = 0;
    int height = 0;
    bool gray = false;   // a single gray component: decoded to 8 bits, one palette index a pixel
    int orientation = 1; // EXIF orientation, 1 to 8 (1 when the file gives none)
};

// Where the decoder takes the file's bytes from, a buffer at a time as it asks for them, so that
// nothing beyond what it needs is read. read fills up to size bytes and returns the count, 0 at
// the end of the file, or -1 when the file cannot be read (the reader keeps why); it must not
// throw.
struct JpegInput {
    std::ptrdiff_t (*read)(void* context, std::uint8_t* buffer,
                           std::size_t size) noexcept = nullptr;
    void* context = nullptr;
};

// The size of one side decoded at 1 / denominator: libjpeg rounds up.
constexpr int scaledSide(int side, int denominator, int numerator = 1) {
    return (side * numerator + denominator - 1) / denominator;
}

// Where decodeJpeg puts the picture, decoded at 1 / scaleDenominator (1, 2, 4 or 8) of the size
// the header gave, each side as scaledSide rounds it. Once the header has been read, begin is
// given it and answers 0 to go on or the libjpeg message code that refuses the picture; it
// allocates the pixels for that size: height rows of width * 3 bytes (R, G, B), or width bytes
// (palette indices) when gray. Without pixels each row is handed to rows instead, in a buffer of
// the decoder's, after the palette has been filled in; rows must not throw. A gray picture at 1:1
// goes through the one-pass quantiser to 236 colours, as libjpeg's own decoder does it for an 8-bit
// bitmap; at a smaller scale its levels come unchanged, with a palette of all 256 of them.
// scaleNumerator / scaleDenominator may be eighths from 1/8 to 8/8. With grayLevels a gray
// picture keeps its 256 levels at 1:1 too. With wantIccProfile the colour profile of an RGB or
// gray picture is put into iccProfile, memory from malloc that the caller frees.
struct JpegTarget {
    int scaleNumerator = 1;
    int scaleDenominator = 1;
    bool grayLevels = false;
    bool wantIccProfile = false;
    std::uint8_t* iccProfile = nullptr;
    unsigned iccProfileSize = 0;
    int (*begin)(void* context, const JpegHeader& header) noexcept = nullptr;
    std::uint8_t* pixels = nullptr;
    void (*rows)(void* context, int y, const std::uint8_t* row) noexcept = nullptr;
    void* context = nullptr;
    std::array<std::array<std::uint8_t, 3>, 256> palette{}; // gray pictures only
    int paletteSize = 0;
};

// Both return 0 on success, otherwise the message code of libjpeg's fatal error (JERR_FILE_READ
// when the input could not be read).
[[nodiscard]] int readJpegHeader(const JpegInput& input, JpegHeader* header) noexcept;
[[nodiscard]] int decodeJpeg(const JpegInput& input, JpegTarget* target) noexcept;

} // namespace zolvera::picture
