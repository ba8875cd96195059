#pragma once

#include "picture/Picture.h"

#include <QImage>
#include <QSize>

namespace zolvera::ui {

// The decoded picture as a QImage that shares the bitmap's pixels: valid only while the
// bitmap lives and is not changed. Copy or scale it to keep it.
QImage bitmapImage(const picture::Bitmap& bitmap);

// The bitmap stretched to the given size without keeping its aspect ratio, smoothly: each
// target pixel is the average of the source pixels it covers.
QImage stretchBitmap(const picture::Bitmap& bitmap, QSize size);

// The picture decoded and stretched to the given size. A picture larger than the size is
// decoded at the smallest scale that still covers it (JpegPicture::decodeToShow) and shrunk
// row by row while it is decoded, so its full-size bitmap is never held. Throws as
// JpegPicture::decode.
QImage decodeStretched(const picture::JpegPicture& picture, QSize size);

} // namespace zolvera::ui
