#include "picture/BitmapImage.h"

#include "support/JpegFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace zolvera::picture {
namespace {

Bitmap rgbBitmap(int width, int height, auto colourAt) {
    Bitmap bitmap;
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
    Bitmap gray;
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

// A picture shown smaller than it is decodes at a reduced scale; the result must look as the
// full-size picture shrunk, gray pictures (quantised only at full size) and CMYK included. The
// pictures have detail as a photograph has, coarser than a few pixels of the tile: finer
// patterns alias differently through the two paths.
TEST(DecodeStretched, AScaledDecodingLooksAsTheFullSizePictureShrunk) {
    test::TempDir dir;
    const std::pair<const char*, test::JpegOptions> cases[] = {
        {"colour", {.width = 1200, .height = 800, .ringWidth = 40}},
        {"gray", {.width = 1200, .height = 800, .gray = true, .ringWidth = 40}},
        {"cmyk", {.width = 1200, .height = 800, .cmyk = true, .ringWidth = 40}},
    };
    for (const auto& [name, options] : cases) {
        test::writeJpeg(dir / "p.jpg", options);
        const JpegPicture picture = JpegPicture::load(dir / "p.jpg");
        const Bitmap whole = picture.decode();
        for (const QSize size : {QSize(142, 100), QSize(290, 190), QSize(599, 399)}) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(size.width()));
            ASSERT_GT(picture.scaleDenominatorFor(size.width(), size.height()), 1);
            const QImage scaled = decodeStretched(picture, size);
            const QImage reference = stretchBitmap(whole, size);
            ASSERT_EQ(scaled.size(), size);
            long total = 0;
            int largest = 0;
            for (int y = 0; y < size.height(); ++y) {
                for (int x = 0; x < size.width(); ++x) {
                    const QRgb a = scaled.pixel(x, y), b = reference.pixel(x, y);
                    for (const int difference :
                         {qRed(a) - qRed(b), qGreen(a) - qGreen(b), qBlue(a) - qBlue(b)}) {
                        total += std::abs(difference);
                        largest = std::max(largest, std::abs(difference));
                    }
                }
            }
            EXPECT_LE(double(total) / (3.0 * size.width() * size.height()), 2.0);
            EXPECT_LE(largest, 16);
        }
    }
}

// A picture shrunk by a few per cent (1080 rows into a maximised window's 1051) takes a cheaper
// filter than the box filter, whose result it must stay close to.
TEST(StretchBitmap, ANearlyUnscaledShrinkStaysCloseToTheBoxFilter) {
    test::TempDir dir;
    for (const bool gray : {false, true}) {
        test::writeJpeg(dir / "p.jpg",
                        {.width = 1920, .height = 1080, .gray = gray, .ringWidth = 20, .grain = 6});
        const JpegPicture picture = JpegPicture::load(dir / "p.jpg");
        for (const QSize size : {QSize(1920, 1051), QSize(1850, 1040)}) {
            SCOPED_TRACE(std::to_string(gray) + " " + std::to_string(size.width()));
            const QImage cheap = stretchBitmap(picture.decode(), size);
            const QImage box = decodeStretched(picture, size); // shrinks while decoding
            ASSERT_EQ(cheap.size(), size);
            long total = 0;
            for (int y = 0; y < size.height(); ++y) {
                for (int x = 0; x < size.width(); ++x) {
                    const QRgb a = cheap.pixel(x, y), b = box.pixel(x, y);
                    total += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                             std::abs(qBlue(a) - qBlue(b));
                }
            }
            EXPECT_LE(double(total) / (3.0 * size.width() * size.height()), 2.0);
        }
    }
}

} // namespace
} // namespace zolvera::picture
