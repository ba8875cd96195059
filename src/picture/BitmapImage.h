#pragma once

#include "picture/Picture.h"

#include <QImage>
#include <QSize>

#include <utility>

namespace zolvera::picture {

// The decoded picture as a QImage that shares the bitmap's pixels: valid only while the
// bitmap lives and is not changed. Copy or scale it to keep it.
QImage bitmapImage(const Bitmap& bitmap);

// The bitmap stretched to the given size without keeping its aspect ratio, smoothly: each
// target pixel is the average of the source pixels it covers.
QImage stretchBitmap(const Bitmap& bitmap, QSize size);

// The picture decoded and stretched to the given size. A picture larger than the size is
// decoded at the smallest scale that still covers it (JpegPicture::decodeToShow) and shrunk
// row by row while it is decoded, so its full-size bitmap is never held. Throws as
// JpegPicture::decode.
QImage decodeStretched(const JpegPicture& picture, QSize size);
// The picture decoded once and stretched to two sizes, at the smallest scale that covers both.
// Throws as JpegPicture::decode.
std::pair<QImage, QImage> decodeStretched(const JpegPicture& picture, QSize first, QSize second);

// An image (a thumbnail read from a file) stretched to the size as a decoded picture is: shrunk
// with the same box filter, grown smoothly by Qt.
QImage stretchImage(const QImage& image, QSize size);

} // namespace zolvera::picture
