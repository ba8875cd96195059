#include "ui/BitmapImage.h"

#include <gtest/gtest.h>

namespace zolvera::ui {
namespace {

picture::Bitmap rgbBitmap(int width, int height, auto colourAt) {
    picture::Bitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb colour = colourAt(x, y);
            bitmap.pixels.insert(bitmap.pixels.end(),
                                 {std::uint8_t(qRed(colour)), std::uint8_t(qGreen(colour)),
                                  std::uint8_t(qBlue(colour))});
        }
    }
    return bitmap;
}

TEST(StretchBitmap, EveryTargetPixelAveragesTheSourcePixelsItCovers) {
    // Left half red, right half blue, upper rows light, lower rows dark.
    const auto halves = rgbBitmap(8, 4, [](int x, int y) {
        const int level = y < 2 ? 240 : 80;
        return x < 4 ? qRgb(level, 0, 0) : qRgb(0, 0, level);
    });
    const QImage two = stretchBitmap(halves, QSize(2, 1));
    ASSERT_EQ(two.size(), QSize(2, 1));
    EXPECT_EQ(two.pixel(0, 0), qRgb(160, 0, 0));
    EXPECT_EQ(two.pixel(1, 0), qRgb(0, 0, 160));

    // Sizes that do not divide: no target row or column is left without source pixels.
    const auto plain = rgbBitmap(1921, 1081, [](int, int) { return qRgb(100, 150, 200); });
    const QImage tile = stretchBitmap(plain, QSize(138, 96));
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x)
            ASSERT_EQ(tile.pixel(x, y), qRgb(100, 150, 200)) << x << "," << y;
}

TEST(StretchBitmap, PalettePicturesAndSmallPicturesAreStretchedToo) {
    picture::Bitmap gray;
    gray.width = 4;
    gray.height = 2;
    gray.bitsPerPixel = 8;
    gray.pixels = {0, 0, 1, 1, 0, 0, 1, 1};
    gray.palette = {{{20, 20, 20}}, {{220, 220, 220}}};
    const QImage halves = stretchBitmap(gray, QSize(2, 1));
    EXPECT_EQ(halves.pixel(0, 0), qRgb(20, 20, 20));
    EXPECT_EQ(halves.pixel(1, 0), qRgb(220, 220, 220));

    // A picture smaller than its control grows to fill it.
    const QImage grown = stretchBitmap(gray, QSize(138, 96));
    EXPECT_EQ(grown.size(), QSize(138, 96));
    EXPECT_EQ(grown.pixel(0, 0), qRgb(20, 20, 20));
    EXPECT_EQ(grown.pixel(137, 95), qRgb(220, 220, 220));
}

} // namespace
} // namespace zolvera::ui
