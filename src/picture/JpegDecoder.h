#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The calls into libjpeg. libjpeg reports a fatal error by calling back into the program, which
// must not return; a C++ exception thrown there would unwind through libjpeg's C frames. So these
// functions catch the error with setjmp/longjmp in a frame that owns nothing with a destructor
// and report it as libjpeg's message code, which the caller turns into a failure.
namespace zolvera::picture {

struct JpegHeader {
    int width = 0;
    int height = 0;
    bool gray = false; // a single gray component: decoded to 8 bits through the quantiser
};

// Where decodeJpeg puts the picture. The caller allocates the pixels for the size the header
// gave: height rows of width * 3 bytes (R, G, B), or width bytes (palette indices) when gray.
// Without pixels each row is handed to rows instead, in a buffer of the decoder's, after the
// palette has been filled in; rows must not throw.
struct JpegTarget {
    std::uint8_t* pixels = nullptr;
    void (*rows)(void* context, int y, const std::uint8_t* row) noexcept = nullptr;
    void* context = nullptr;
    std::array<std::array<std::uint8_t, 3>, 256> palette{}; // gray pictures only
    int paletteSize = 0;
};

// Both return 0 on success, otherwise the message code of libjpeg's fatal error.
int readJpegHeader(const std::uint8_t* data, std::size_t size, JpegHeader* header) noexcept;
int decodeJpeg(const std::uint8_t* data, std::size_t size, JpegTarget* target) noexcept;

} // namespace zolvera::picture
