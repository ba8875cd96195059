#include "picture/Picture.h"
#include "platform/Failure.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace zolvera;
using namespace zolvera::picture;

namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (const int v : values)
        out += static_cast<char>(v);
    return out;
}

// 3 × 2 pixels, top row red green blue, bottom row white black gray.
Bitmap colourBitmap() {
    return {3, 2, 24, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 128, 128, 128}, {}};
}

std::string expectedColourFile() {
    return bytes(
        {'B', 'M', 78,  0, 0,   0, 0,   0,   0,   0, 54, 0, 0, 0,        // file header
         40,  0,   0,   0, 3,   0, 0,   0,   2,   0, 0,  0, 1, 0, 24, 0, // size, w, h, planes, bpp
         0,   0,   0,   0, 24,  0, 0,   0,   0,   0, 0,  0, 0, 0, 0,  0, // BI_RGB, image size
         0,   0,   0,   0, 0,   0, 0,   0,                               // colours
         255, 255, 255, 0, 0,   0, 128, 128, 128, 0, 0,  0,              // bottom row, padded
         0,   0,   255, 0, 255, 0, 255, 0,   0,   0, 0,  0});            // top row in B, G, R
}

// The bytes of the bitmap file writeBmp makes.
std::string written(const Bitmap& bitmap) {
    test::TempDir dir;
    writeBmp(bitmap, dir / "out.bmp");
    return test::readFile(dir / "out.bmp");
}

} // namespace

TEST(Bmp, ColourPictureIsBottomUpBgrWithPaddedRows) {
    EXPECT_EQ(written(colourBitmap()), expectedColourFile());
}

TEST(Bmp, GrayPictureCarriesItsPaletteAsColourTable) {
    const Bitmap gray{
        5, 2, 8, {0, 1, 2, 1, 0, 2, 2, 2, 2, 2}, {{{0, 0, 0}, {10, 20, 30}, {255, 255, 255}}}};
    EXPECT_EQ(
        written(gray),
        bytes({'B', 'M', 82, 0, 0,  0,  0,  0, 0,   0,   66,  0, 0, 0, // offset after 3 entries
               40,  0,   0,  0, 5,  0,  0,  0, 2,   0,   0,   0, 1, 0, 8, 0, //
               0,   0,   0,  0, 16, 0,  0,  0, 0,   0,   0,   0, 0, 0, 0, 0, // image size 2 × 8
               3,   0,   0,  0, 0,  0,  0,  0,                               // 3 colours used
               0,   0,   0,  0, 30, 20, 10, 0, 255, 255, 255, 0,             // table: B, G, R, 0
               2,   2,   2,  2, 2,  0,  0,  0,                               // bottom row
               0,   1,   2,  1, 0,  0,  0,  0}));                            // top row
}

TEST(Bmp, WritesAndReplacesTheFile) {
    test::TempDir dir;
    test::writeFile(dir / "Wall.bmp", std::string(5000, 'x'));
    writeBmp(colourBitmap(), dir / "Wall.bmp");
    EXPECT_EQ(test::readFile(dir / "Wall.bmp"), expectedColourFile());

    try {
        writeBmp(colourBitmap(), dir / "missing/Wall.bmp");
        ADD_FAILURE() << "written";
    } catch (const Failure& failure) {
        EXPECT_EQ(std::string(failure.what()), "Cannot create file \"" +
                                                   (dir / "missing/Wall.bmp") +
                                                   "\". No such file or directory");
    }
}

// A write that fails half-way (the disk fills up) is reported like a file that cannot be made,
// and the earlier file stays as it was.
TEST(Bmp, ReportsAFailedWriteAndKeepsTheEarlierFile) {
    test::TempDir dir;
    test::writeFile(dir / "Wall.bmp", "previous");
    std::string message;
    try {
        test::FileSizeLimit full(60);
        writeBmp(colourBitmap(), dir / "Wall.bmp");
    } catch (const Failure& failure) {
        message = failure.what();
    }
    EXPECT_EQ(message, "Cannot create file \"" + (dir / "Wall.bmp") + "\". Disk full");
    EXPECT_EQ(test::readFile(dir / "Wall.bmp"), "previous");
}
