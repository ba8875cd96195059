#include "picture/FitJpeg.h"
#include "picture/Picture.h"
#include "support/JpegFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace zolvera;
using namespace zolvera::picture;
using zolvera::test::JpegOptions;
using zolvera::test::TestPixels;

namespace {

constexpr std::size_t kLimit = 800000;

// The picture as the program decodes it, as levels: R, G, B, or one gray level a pixel.
TestPixels decoded(const std::string& jpeg) {
    test::TempDir dir;
    test::writeFile(dir / "p.jpg", jpeg);
    const Bitmap bitmap = JpegPicture::load(dir / "p.jpg").decode();
    TestPixels pixels{bitmap.width, bitmap.height, bitmap.bitsPerPixel / 8, bitmap.pixels};
    if (pixels.channels == 1)
        for (std::uint8_t& level : pixels.data)
            level = bitmap.palette.at(level)[0];
    return pixels;
}

// Shrunk to width x height, each pixel the average of the area it covers.
TestPixels shrunk(const TestPixels& from, int width, int height) {
    TestPixels to{width, height, from.channels, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < from.channels; ++c) {
                long sum = 0;
                long count = 0;
                for (int sy = y * from.height / height; sy < (y + 1) * from.height / height; ++sy)
                    for (int sx = x * from.width / width; sx < (x + 1) * from.width / width;
                         ++sx, ++count)
                        sum += from.data[(std::size_t(sy) * std::size_t(from.width) +
                                          std::size_t(sx)) *
                                             std::size_t(from.channels) +
                                         std::size_t(c)];
                to.data.push_back(std::uint8_t((sum + count / 2) / count));
            }
    return to;
}

double meanDifference(const TestPixels& a, const TestPixels& b) {
    EXPECT_EQ(a.data.size(), b.data.size());
    long total = 0;
    for (std::size_t i = 0; i < a.data.size() && i < b.data.size(); ++i)
        total += std::abs(int(a.data[i]) - int(b.data[i]));
    return double(total) / double(a.data.size());
}

} // namespace

// Each fitted picture is compared with the original shrunk to its size: it may differ by no
// more than that shrunk picture does after a round trip through quality 75, give or take the
// different filters that shrank them.
TEST(FitJpeg, PhotographsOfEveryKindFitUnderTheLimitAndKeepTheirLook) {
    const std::pair<const char*, JpegOptions> cases[] = {
        {"grainy 4K", {.width = 3840, .height = 2160, .quality = 89, .grain = 12}},
        {"smooth 4K", {.width = 3840, .height = 2160, .quality = 98, .ringWidth = 40}},
        {"gray", {.width = 2000, .height = 1500, .gray = true, .quality = 95, .grain = 12}},
        {"cmyk", {.width = 1200, .height = 900, .quality = 90, .cmyk = true, .grain = 8}},
    };
    for (const auto& [what, options] : cases) {
        SCOPED_TRACE(what);
        const std::string original = test::jpegBytes(options);
        ASSERT_GT(original.size(), kLimit);
        const FittedJpeg fitted = fitJpeg(original, kLimit);
        EXPECT_LE(fitted.bytes.size(), kLimit);
        const TestPixels pixels = decoded(fitted.bytes);
        ASSERT_EQ(pixels.width, fitted.width);
        ASSERT_EQ(pixels.height, fitted.height);
        EXPECT_NEAR(double(pixels.width) / pixels.height, double(options.width) / options.height,
                    1.0 / pixels.height);
        EXPECT_EQ(pixels.channels, options.gray ? 1 : 3);

        const TestPixels reference = shrunk(decoded(original), pixels.width, pixels.height);
        const double roundTrip =
            meanDifference(decoded(test::jpegOfPixels(reference, 75)), reference);
        const double difference = meanDifference(pixels, reference);
        EXPECT_LE(difference, roundTrip + 1.0);
    }
}

// The pattern's red grows to the right and its green downwards as the picture is stored; its
// top left corner tells which way the fitted picture stands.
TEST(FitJpeg, TurnsThePictureUprightAndKeepsItsColourProfileButNoExif) {
    struct Corner {
        int orientation;
        int red, green; // of the upright picture's top left corner
    };
    for (const Corner corner : {Corner{6, 0, 255}, Corner{8, 255, 0}})
        for (const bool bigEndian : {true, false}) {
            SCOPED_TRACE(corner.orientation);
            SCOPED_TRACE(bigEndian);
            const std::string original =
                test::jpegBytes({.quality = 95,
                                 .exif = test::exifOrientation(corner.orientation, bigEndian),
                                 .iccProfile = "a colour profile"});
            const FittedJpeg fitted = fitJpeg(original, kLimit);
            EXPECT_EQ(fitted.quality, 92);
            const TestPixels pixels = decoded(fitted.bytes);
            ASSERT_EQ(pixels.width, 48);
            ASSERT_EQ(pixels.height, 64);
            EXPECT_NEAR(pixels.data[0], corner.red, 40);
            EXPECT_NEAR(pixels.data[1], corner.green, 40);
            EXPECT_NE(fitted.bytes.find("a colour profile"), std::string::npos);
            EXPECT_EQ(fitted.bytes.find("Exif"), std::string::npos);
        }
}
