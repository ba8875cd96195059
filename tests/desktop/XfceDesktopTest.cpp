// XFCE's desktop, xfdesktop, in a session of the test's own, read back from the screen.
// xfdesktop4 is installed by scripts/install-deps and is a build dependency of the Debian
// package, so a missing one fails the test.
#include "desktop/CommandRunner.h"
#include "desktop/DesktopApplier.h"
#include "picture/Picture.h"

#include "TestPictures.h"
#include "XSession.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace zolvera::desktop {
namespace {

// Starts xfdesktop as a session does.
bool startXfdesktop(test::XSession& session) {
    // Without a window manager xfdesktop draws nothing until it knows the current workspace.
    session.screen().setCardinal("_NET_CURRENT_DESKTOP", 0);
    return session.start({"xfdesktop", "--disable-wm-check"}, "xfdesktop");
}

// Whether xfdesktop has made its settings, which it does once it has come up.
bool awaitXfdesktopSettings() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    do {
        const auto listing = ProcessRunner().run("xfconf-query", {"-c", "xfce4-desktop", "-l"});
        if (listing && listing->find("/last-image") != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

class XfceDesktopTest : public ::testing::Test {
protected:
    XfceDesktopTest() {
        picture::writeBmp(test::testPicture(true), halves);
        picture::writeBmp(test::testPicture(false), green);
    }

    test::TempDir dir;
    const std::string halves = dir / "halves.bmp";
    const std::string green = dir / "green.bmp";
};

TEST_F(XfceDesktopTest, ShowsEveryPictureStretchedOrCentred) {
    test::XSession session(test::XSession::Monitors::One);
    ASSERT_EQ(session.failure(), "");
    ASSERT_TRUE(startXfdesktop(session));
    ASSERT_TRUE(awaitXfdesktopSettings()) << session.log("xfdesktop");
    const auto applier = makeDesktopApplier(DesktopSession::Xfce);
    applier->apply(halves, WallpaperStyle::Stretch);
    EXPECT_EQ(session.awaitColours({{40, 120}, {140, 120}, {180, 120}, {280, 120}}, "rrbb"),
              "rrbb");
    // Centred on xfdesktop's own colour: the picture covers 120..199 x 90..149.
    applier->apply(green, WallpaperStyle::Centre);
    EXPECT_EQ(session.awaitColours({{10, 10}, {160, 120}, {310, 230}}, "?g?"), "?g?");
}

// A new account: xfdesktop has never run, so there is no setting to change yet. The picture set
// then is the one it shows, on every monitor, when it starts.
TEST_F(XfceDesktopTest, FreshAccountGetsThePictureOnEveryMonitor) {
    test::XSession session(test::XSession::Monitors::Two);
    if (!session.failure().empty())
        GTEST_SKIP() << session.failure();
    const auto applier = makeDesktopApplier(DesktopSession::Xfce);
    applier->apply(halves, WallpaperStyle::Centre);
    ASSERT_TRUE(startXfdesktop(session));
    // Each 800 x 600 monitor shows the picture over 360..439 x 270..329.
    EXPECT_EQ(session.awaitColours({{370, 300}, {430, 300}, {1170, 300}, {1230, 300}}, "rbrb"),
              "rbrb")
        << session.log("xfdesktop");
    applier->apply(green, WallpaperStyle::Stretch);
    EXPECT_EQ(session.awaitColours({{10, 10}, {790, 590}, {810, 10}, {1590, 590}}, "gggg"), "gggg");
}

} // namespace
} // namespace zolvera::desktop
