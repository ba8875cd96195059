// MATE's desktop, drawn by caja, in a session of the test's own, read back from the screen. caja
// is installed by scripts/install-deps and is a build dependency of the Debian package, so a
// missing one fails the test.
#include "desktop/DesktopApplier.h"
#include "picture/Picture.h"

#include "TestPictures.h"
#include "XSession.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace zolvera::desktop {
namespace {

TEST(MateDesktop, ShowsEveryPictureStretchedOrCentred) {
    test::XSession session(test::XSession::Monitors::One);
    ASSERT_EQ(session.failure(), "");
    test::TempDir dir;
    const std::string halves = dir / "halves.bmp", green = dir / "green.bmp";
    picture::writeBmp(test::testPicture(true), halves);
    picture::writeBmp(test::testPicture(false), green);
    // Its settings live in dconf, which the session bus starts in the session's own folders.
    ASSERT_TRUE(session.start({"caja", "--no-default-window", "--force-desktop"}, "caja"));
    const auto applier = makeDesktopApplier(DesktopSession::Mate);
    applier->apply(halves, WallpaperStyle::Stretch);
    EXPECT_EQ(session.awaitColours({{40, 120}, {140, 120}, {180, 120}, {280, 120}}, "rrbb"), "rrbb")
        << session.log("caja");
    // Centred on MATE's own colour: the picture covers 120..199 x 90..149.
    applier->apply(green, WallpaperStyle::Centre);
    EXPECT_EQ(session.awaitColours({{10, 10}, {160, 120}, {310, 230}}, "?g?"), "?g?");
}

} // namespace
} // namespace zolvera::desktop
