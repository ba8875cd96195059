#pragma once

#include <QImage>

#include <string>
#include <utility>
#include <vector>

namespace zolvera::picture {

// A keyword and its Latin-1 text, as a PNG file carries it.
using PngText = std::pair<std::string, std::string>;

// The image as the bytes of a PNG file, 24-bit RGB, compressed for speed rather than size, with
// the texts as uncompressed tEXt chunks before the pixels. Uncompressed because readers that check
// a thumbnail without a PNG decoder (GLib's) look only at tEXt chunks, while Qt's writer compresses
// texts of 40 characters and more. Throws Failure when libpng fails (a lack of memory).
std::string pngBytes(const QImage& image, const std::vector<PngText>& texts);

} // namespace zolvera::picture
