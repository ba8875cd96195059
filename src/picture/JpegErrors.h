#pragma once

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE

#include <jpeglib.h>

namespace zolvera::picture {

// How the calls into libjpeg take its errors: a fatal one jumps back to the setjmp of the call
// that began the work (see JpegDecoder.h for why), with libjpeg's message code left in pub.
// Warnings are ignored: the decoder goes on and fills what a damaged file lacks with gray.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

// Sets the manager up and returns its libjpeg part, for cinfo->err.
jpeg_error_mgr* jumpingErrors(ErrorManager& manager);

} // namespace zolvera::picture
