#include "TestPictures.h"

namespace zolvera::test {

picture::Bitmap testPicture(bool halves) {
    picture::Bitmap bitmap{80, 60, 24, {}, {}};
    for (int i = 0; i < 80 * 60; ++i) {
        const bool red = halves && i % 80 < 40;
        const bool blue = halves && !red;
        bitmap.pixels.insert(bitmap.pixels.end(),
                             {std::uint8_t(red ? 255 : 0), std::uint8_t(halves ? 0 : 200),
                              std::uint8_t(blue ? 255 : 0)});
    }
    return bitmap;
}

char colourOf(QRgb pixel) {
    const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    if (r > 200 && g < 60 && b < 60)
        return 'r';
    if (b > 200 && r < 60 && g < 60)
        return 'b';
    if (g > 100 && r < 60 && b < 60)
        return 'g';
    if (r > 200 && g > 200 && b < 60)
        return 'y';
    return r + g + b < 30 ? 'k' : '?';
}

} // namespace zolvera::test
