#include "desktop/X11Applier.h"
#include "picture/Picture.h"

#include "ScopedEnv.h"
#include "TestPictures.h"
#include "XServer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace zolvera::desktop {
namespace {

class X11ApplierTest : public ::testing::TestWithParam<const char*> {};

// The colour path differs with the screen depth: 24 bits take the pixels as they are.
TEST_P(X11ApplierTest, RootWindowShowsThePictureStretchedOrCentred) {
    test::XServer server(test::XServer::xvfb(GetParam())); // 320 x 240
    if (!server.running())
        GTEST_SKIP() << "Xvfb is not available";
    test::TempDir dir;
    test::ScopedEnv display("DISPLAY", server.display());
    const auto bitmap = dir / "Zolvera.bmp";
    picture::writeBmp(test::testPicture(true), bitmap);
    X11Applier().apply(bitmap, WallpaperStyle::Stretch);
    const test::ScreenReader root(server.display());
    EXPECT_EQ(root.colours({{2, 2}, {100, 120}, {220, 120}, {317, 237}}), "rrbb");
    const auto stretched = root.pixmapProperty("_XROOTPMAP_ID");
    EXPECT_NE(stretched, 0u);
    EXPECT_EQ(root.pixmapProperty("ESETROOT_PMAP_ID"), stretched);

    // Centred on black: the picture covers 120..199 x 90..149. The earlier pixmap is freed.
    X11Applier().apply(bitmap, WallpaperStyle::Centre);
    EXPECT_EQ(root.colours({{2, 2}, {160, 80}, {110, 120}, {125, 95}, {195, 145}, {210, 120}}),
              "kkkrbk");
    const auto centred = root.pixmapProperty("_XROOTPMAP_ID");
    EXPECT_EQ(root.pixmapProperty("ESETROOT_PMAP_ID"), centred);
    EXPECT_TRUE(root.pixmapExists(centred));
    EXPECT_FALSE(root.pixmapExists(stretched));
}

INSTANTIATE_TEST_SUITE_P(Depths, X11ApplierTest, ::testing::Values("320x240x24", "320x240x16"));

// Two monitors side by side on Xorg's dummy driver, as RandR reports them: each shows the
// whole picture, not half of one spread over both.
TEST(X11ApplierMonitors, EveryMonitorShowsTheWholePicture) {
    test::TempDir dir;
    const auto server = test::XServer::twoMonitors(dir.path());
    if (!server->running())
        GTEST_SKIP() << "Xorg with the dummy driver did not start (it needs "
                        "xserver-xorg-video-dummy, and root to read a configuration of its own)";
    test::ScopedEnv display("DISPLAY", server->display());
    const auto bitmap = dir / "Zolvera.bmp";
    picture::writeBmp(test::testPicture(true), bitmap);
    const test::ScreenReader root(server->display());
    const auto row = [&root](std::initializer_list<int> xs) {
        std::vector<std::pair<int, int>> points;
        for (const int x : xs)
            points.emplace_back(x, 300);
        return root.colours(points);
    };
    X11Applier().apply(bitmap, WallpaperStyle::Stretch);
    EXPECT_EQ(row({10, 390, 410, 790, 810, 1190, 1210, 1590}), "rrbbrrbb");
    // Centred: the 80 x 60 picture covers 360..439 of the first monitor, 1160..1239 of the second.
    X11Applier().apply(bitmap, WallpaperStyle::Centre);
    EXPECT_EQ(row({10, 370, 430, 790, 810, 1170, 1230, 1590}), "krbkkrbk");
}

} // namespace
} // namespace zolvera::desktop
