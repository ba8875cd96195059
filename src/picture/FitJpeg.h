#pragma once

#include <cstddef>
#include <string>

namespace zolvera::picture {

// A picture encoded anew to fit a size.
struct FittedJpeg {
    std::string bytes; // the JPEG file
    int width = 0;     // its size, upright
    int height = 0;
    int quality = 0; // the libjpeg quality it was written at
};

// Encodes a JPEG file's picture anew so that the new file holds at most maxBytes, keeping its
// look: upright (the EXIF orientation turned into the pixels, and no EXIF data kept, so that
// no reader turns it again), colour as colour (CMYK as RGB), gray as gray, and the colour
// profile of an RGB or gray picture. At full size the file takes the highest quality from 92
// down to 75 that fits; when none does, the picture is made smaller, from 7/8 of its size down
// to 1/2 in eighths while it is decoded, then by halves, until it fits at quality 85 or
// better (the highest up to 92). Throws "JPEG error #%d" when the file cannot be decoded.
FittedJpeg fitJpeg(const std::string& jpeg, std::size_t maxBytes);

} // namespace zolvera::picture
