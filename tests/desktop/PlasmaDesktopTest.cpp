// KDE Plasma's shell in a session of the test's own, read back from the screen. plasma-desktop
// is large, so the ordinary test run skips the shell when it is not installed;
// scripts/real-desktops installs it and runs these tests.
#include "desktop/CommandRunner.h"
#include "desktop/DesktopApplier.h"
#include "picture/Picture.h"
#include "platform/Failure.h"

#include "ScopedEnv.h"
#include "TestPictures.h"
#include "XSession.h"
#include "support/TempDir.h"

#include <QStandardPaths>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace zolvera::desktop {
namespace {

// Runs a script in the shell; false when it failed or no shell answered.
bool evaluate(const std::string& script) {
    return ProcessRunner(30000)
        .run("qdbus",
             {"org.kde.plasmashell", "/PlasmaShell", "org.kde.PlasmaShell.evaluateScript", script})
        .has_value();
}

bool awaitShellDesktops() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    do {
        if (evaluate("if (!desktops().length) throw 0"))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

TEST(PlasmaDesktop, NoShellAnsweringIsAFailure) {
    test::XSession session(test::XSession::Monitors::One);
    ASSERT_EQ(session.failure(), "");
    try {
        makeDesktopApplier(DesktopSession::Plasma)->apply("/x.bmp", WallpaperStyle::Stretch);
        ADD_FAILURE() << "a set that no Plasma shell took passed for success";
    } catch (const Failure& failure) {
        EXPECT_NE(std::string(failure.what()).find("Plasma asztal"), std::string::npos)
            << failure.what();
    }
}

TEST(PlasmaDesktop, EveryDesktopShowsThePictureWhateverItShowedBefore) {
    if (QStandardPaths::findExecutable(QStringLiteral("plasmashell")).isEmpty())
        GTEST_SKIP() << "plasmashell is not installed; scripts/real-desktops installs "
                        "plasma-desktop and runs this test";
    test::XSession session(test::XSession::Monitors::Two);
    if (!session.failure().empty())
        GTEST_SKIP() << session.failure();
    test::TempDir dir;
    const std::string halves = dir / "halves.bmp", green = dir / "green.bmp";
    picture::writeBmp(test::testPicture(true), halves);
    picture::writeBmp(test::testPicture(false), green);
    {
        // Drawn in software: the machine may have no GPU.
        const test::ScopedEnv quick("QT_QUICK_BACKEND", "software");
        const test::ScopedEnv gl("QT_XCB_GL_INTEGRATION", "none");
        ASSERT_TRUE(session.start({"plasmashell", "--no-respawn"}, "plasmashell"));
    }
    ASSERT_TRUE(awaitShellDesktops()) << session.log("plasmashell");

    // Both desktops show a plain colour, as a user may have chosen.
    ASSERT_TRUE(evaluate("var all = desktops();\n"
                         "for (var i = 0; i < all.length; i++) {\n"
                         "    all[i].wallpaperPlugin = \"org.kde.color\";\n"
                         "    all[i].currentConfigGroup = [\"Wallpaper\", \"org.kde.color\", "
                         "\"General\"];\n"
                         "    all[i].writeConfig(\"Color\", \"255,255,0\");\n"
                         "}"));
    const std::vector<std::pair<int, int>> middles = {
        {200, 300}, {600, 300}, {1000, 300}, {1400, 300}};
    ASSERT_EQ(session.awaitColours(middles, "yyyy"), "yyyy");
    const auto applier = makeDesktopApplier(DesktopSession::Plasma);
    applier->apply(halves, WallpaperStyle::Stretch);
    EXPECT_EQ(session.awaitColours(middles, "rbrb"), "rbrb") << session.log("plasmashell");

    {
        // gdbus refuses: Qt's qdbus carries the script. Centred on black.
        const std::string bin = dir / "bin";
        test::writeFile(bin + "/gdbus", "#!/bin/sh\nexit 1\n");
        std::filesystem::permissions(bin + "/gdbus", std::filesystem::perms::owner_all);
        const test::ScopedEnv path("PATH", bin + ":" + std::getenv("PATH"));
        applier->apply(green, WallpaperStyle::Centre);
        EXPECT_EQ(session.awaitColours({{10, 10}, {400, 300}, {810, 10}, {1200, 300}}, "kgkg"),
                  "kgkg");
    }

    // A shell without a desktop has shown nothing: that is no success.
    ASSERT_TRUE(evaluate("var all = desktops();\n"
                         "for (var i = 0; i < all.length; i++) all[i].remove();"));
    EXPECT_THROW(applier->apply(halves, WallpaperStyle::Stretch), Failure);
}

} // namespace
} // namespace zolvera::desktop
