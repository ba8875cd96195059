#pragma once

#include "picture/Picture.h"

#include <QRgb>

namespace zolvera::test {

// An 80 x 60 picture, red on the left half and blue on the right, or all green.
picture::Bitmap testPicture(bool halves);

// 'r' red, 'g' green, 'b' blue, 'y' yellow, 'k' black, '?' anything else: loose enough for a
// picture a desktop has scaled.
char colourOf(QRgb pixel);

} // namespace zolvera::test
