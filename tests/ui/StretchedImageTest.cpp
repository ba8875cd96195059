#include "ui/StretchedImage.h"
#include "picture/BitmapImage.h"

#include "support/JpegFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace zolvera::ui {
namespace {

// The slideshow decodes a picture for its window's size; a window made larger afterwards (as
// when it is maximised) shows the picture decoded again for the new size, not a small one grown.
TEST(StretchedImage, DecodesAgainWhenGrownPastTheDecodedSize) {
    test::TempDir dir;
    test::writeJpeg(dir / "p.jpg", {.width = 1200, .height = 800});
    const picture::JpegPicture picture = picture::JpegPicture::load(dir / "p.jpg");
    StretchedImage image;
    image.resize(140, 90);
    image.show(); // until shown, a picture is decoded for the whole screen
    image.setPicture(picture);
    image.resize(700, 500);
    EXPECT_EQ(image.grab().toImage().convertToFormat(QImage::Format_RGB32),
              picture::decodeStretched(picture, QSize(700, 500)));
}

} // namespace
} // namespace zolvera::ui
