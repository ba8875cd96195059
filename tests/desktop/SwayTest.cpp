#include "desktop/DesktopApplier.h"
#include "desktop/FileRegistry.h"
#include "desktop/SwaybgApplier.h"
#include "desktop/Wallpaper.h"
#include "picture/Picture.h"

#include "HeadlessSway.h"
#include "ScopedEnv.h"
#include "TestPictures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace zolvera::desktop {
namespace {

// The colours a quarter and three quarters across the middle of each output, once they are
// the expected ones or after fifteen seconds (a loaded machine): the compositor's background
// program draws in its own time, and nothing tells when it has.
std::string awaitOutputs(const test::HeadlessSway& sway, const std::string& expected) {
    std::string seen;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    do {
        seen.clear();
        for (const char* output : {"HEADLESS-1", "HEADLESS-2"}) {
            const QImage shot = sway.screenshot(output);
            if (shot.isNull())
                return "no screenshot of " + std::string(output);
            for (const int x : {shot.width() / 4, shot.width() * 3 / 4})
                seen.push_back(test::colourOf(shot.pixel(x, shot.height() / 2)));
        }
        if (seen == expected)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    } while (std::chrono::steady_clock::now() < deadline);
    return seen;
}

// Whether a process ends (or is left a zombie, ended but not yet reaped by its new parent)
// within five seconds of being asked to.
bool awaitEnd(pid_t pid) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    do {
        std::string stat;
        std::getline(std::ifstream("/proc/" + std::to_string(pid) + "/stat"), stat);
        const auto nameEnd = stat.rfind(')');
        if (nameEnd == std::string::npos || stat.substr(nameEnd + 2, 1) == "Z")
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

class SwayTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!sway->failure().empty())
            GTEST_SKIP() << "no headless sway: " << sway->failure();
        picture::writeBmp(test::testPicture(true), halves);
        picture::writeBmp(test::testPicture(false), green);
        test::shareWithEveryone(dir.path()); // sway runs as another user when we are root
    }
    void useSway(const test::HeadlessSway& running) {
        runtime.emplace("XDG_RUNTIME_DIR", running.runtimeFolder());
        wayland.emplace("WAYLAND_DISPLAY", running.waylandDisplay());
        socket.emplace("SWAYSOCK", running.socket());
    }

    test::TempDir dir;
    const std::string halves = dir / "halves.bmp";
    const std::string green = dir / "green.bmp";
    std::unique_ptr<test::HeadlessSway> sway = std::make_unique<test::HeadlessSway>();
    // sway's command line cannot carry an apostrophe; the links then go to the runtime folder.
    // Not when the test is root: sway then runs as nobody, whose runtime folder is no private
    // folder of root's, and root's own is closed to nobody.
    test::ScopedEnv cache{"XDG_CACHE_HOME", dir / (geteuid() == 0 ? ".cache" : "o'brien/.cache")};
    std::optional<test::ScopedEnv> runtime, wayland, socket;
};

TEST_F(SwayTest, EveryOutputShowsThePictureAndRestoreShowsItOnAFreshSway) {
    useSway(*sway);
    ASSERT_EQ(detectDesktopSession(), DesktopSession::Sway);
    makeDesktopApplier(DesktopSession::Sway)->apply(halves, WallpaperStyle::Stretch);
    EXPECT_EQ(awaitOutputs(*sway, "rbrb"), "rbrb");
    makeDesktopApplier(DesktopSession::Sway)->apply(green, WallpaperStyle::Stretch);
    EXPECT_EQ(awaitOutputs(*sway, "gggg"), "gggg");

    // A new login: the picture comes back only through restore.
    runtime.reset(), wayland.reset(), socket.reset();
    sway = std::make_unique<test::HeadlessSway>();
    ASSERT_EQ(sway->failure(), "");
    useSway(*sway);
    FileRegistry registry(dir / "registry.reg");
    ASSERT_TRUE(
        WriteRegString(registry, kCurrentUser, "\\Control Panel\\Desktop\\", "Wallpaper", green));
    ASSERT_TRUE(WriteRegString(registry, kCurrentUser, "\\Control Panel\\Desktop\\",
                               "WallpaperStyle", "2"));
    RestoreWallpaper(registry, *makeDesktopApplier(DesktopSession::Sway));
    EXPECT_EQ(awaitOutputs(*sway, "gggg"), "gggg");
}

// Another wlroots compositor: a swaybg of ours, the one before ended by its recorded id.
TEST_F(SwayTest, OurSwaybgIsReplacedByTheNextOne) {
    useSway(*sway);
    const std::string record = dir / "swaybg.pid";
    const auto recordedPid = [&record] {
        pid_t pid = 0;
        std::ifstream(record) >> pid;
        return pid;
    };
    SwaybgApplier applier(record);
    applier.apply(halves, WallpaperStyle::Stretch);
    EXPECT_EQ(awaitOutputs(*sway, "rbrb"), "rbrb");
    const pid_t first = recordedPid();
    applier.apply(green, WallpaperStyle::Stretch);
    EXPECT_EQ(awaitOutputs(*sway, "gggg"), "gggg");
    const pid_t second = recordedPid();
    EXPECT_NE(second, first);
    EXPECT_EQ(kill(second, 0), 0);
    EXPECT_TRUE(awaitEnd(first));

    EXPECT_THROW(SwaybgApplier(record, "/nonexistent/swaybg").apply(green, WallpaperStyle::Stretch),
                 Failure);
    EXPECT_EQ(kill(second, 0), 0); // a failed start leaves the running one alone
}

} // namespace
} // namespace zolvera::desktop
