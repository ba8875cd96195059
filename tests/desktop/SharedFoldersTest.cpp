#include "desktop/SwaybgApplier.h"
#include "desktop/WallpaperLink.h"
#include "platform/UserFolders.h"

#include "ScopedEnv.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace zolvera::desktop {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::writeFile;

// A process of ours that runs until it is ended: `sleep 600`.
class Sleeper {
public:
    Sleeper() {
        char* argv[] = {const_cast<char*>("sleep"), const_cast<char*>("600"), nullptr};
        posix_spawnp(&pid_, "sleep", nullptr, nullptr, argv, environ);
    }
    ~Sleeper() {
        if (!reaped_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    // "pid start-time", as a record of a swaybg of ours holds it.
    std::string record() const {
        std::string stat;
        std::getline(std::ifstream("/proc/" + std::to_string(pid_) + "/stat"), stat);
        std::istringstream fields(stat.substr(stat.rfind(')') + 2));
        std::string field;
        for (int i = 3; i <= 22; ++i)
            fields >> field;
        return std::to_string(pid_) + " " + field + "\n";
    }
    // Whether it ends within the time given.
    bool endsWithin(std::chrono::milliseconds limit) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        do {
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_)
                return reaped_ = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        } while (std::chrono::steady_clock::now() < deadline);
        return false;
    }

private:
    pid_t pid_ = -1;
    bool reaped_ = false;
};

TEST(SharedFolders, TheRuntimeFolderCountsOnlyWhenItIsPrivateAndOurs) {
    test::TempDir dir;
    const test::ScopedEnv temporary("TMPDIR", dir / "tmp");
    fs::create_directories(dir / "tmp");
    fs::create_directories(dir / "private");
    fs::permissions(dir / "private", fs::perms::owner_all, fs::perm_options::replace);
    fs::create_directories(dir / "shared");
    fs::permissions(dir / "shared", fs::perms::all, fs::perm_options::replace);
    fs::create_directory_symlink(dir / "private", dir / "link");

    for (const char* other : {"shared", "link", "missing"}) {
        const test::ScopedEnv runtime("XDG_RUNTIME_DIR", dir / other);
        const std::string fallback = platform::userRuntimeFolder();
        EXPECT_EQ(fallback.rfind(dir / "tmp/runtime-", 0), 0u) << other;
        EXPECT_EQ(fs::status(fallback).permissions(), fs::perms::owner_all);
        EXPECT_EQ(SwaybgApplier::defaultRecordPath(), fallback + "/zolvera-swaybg.pid");
    }
    const test::ScopedEnv runtime("XDG_RUNTIME_DIR", dir / "private");
    EXPECT_EQ(platform::userRuntimeFolder(), dir / "private");
}

// Another user's plants: a record that leads to a file of ours, and one that names a process of
// ours that is not a swaybg we started. Neither is written through nor ended.
TEST(SharedFolders, TheSwaybgRecordIsNeitherFollowedNorTrustedWithAnotherProcess) {
    test::TempDir dir;
    const std::string record = dir / "zolvera-swaybg.pid";
    writeFile(dir / "precious.txt", "precious");
    fs::create_symlink(dir / "precious.txt", record);
    SwaybgApplier(record, "true").apply(dir / "x.bmp", WallpaperStyle::Stretch);
    EXPECT_EQ(readFile(dir / "precious.txt"), "precious");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(record)));

    Sleeper victim;
    writeFile(record, victim.record());
    SwaybgApplier(record, "true").apply(dir / "x.bmp", WallpaperStyle::Stretch);
    EXPECT_FALSE(victim.endsWithin(std::chrono::milliseconds(300)));
    // The record of a run of the program it starts is trusted.
    writeFile(record, victim.record());
    SwaybgApplier(record, "sleep").apply(dir / "x.bmp", WallpaperStyle::Stretch);
    EXPECT_TRUE(victim.endsWithin(std::chrono::seconds(5)));
}

TEST(SharedFolders, WallpaperLinksStayInARealCacheFolderAndRemoveOnlyTheirOwn) {
    test::TempDir dir;
    const std::string bitmap = dir / "Zolvera.bmp";
    writeFile(bitmap, "BM");
    for (const char* name : {"wallpaper-1.bmp", "wallpaper-2.bmp", "wallpaper-3.bmp"})
        writeFile(dir / ("elsewhere/" + std::string(name)), "mine");
    fs::create_directories(dir / "cache");
    fs::create_directory_symlink(dir / "elsewhere", dir / "cache/zolvera");
    const test::ScopedEnv cache("XDG_CACHE_HOME", dir / "cache");
    EXPECT_EQ(freshWallpaperLink(bitmap, wallpaperLinkFolder()), bitmap);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "elsewhere"), {}), 3);

    // In a real folder, a file of that name that the program did not make stays.
    const std::string folder = dir / "real";
    writeFile(folder + "/wallpaper-1.bmp", "mine");
    for (const char* expected : {"/wallpaper-2.bmp", "/wallpaper-3.bmp", "/wallpaper-4.bmp"})
        EXPECT_EQ(freshWallpaperLink(bitmap, folder), folder + expected);
    EXPECT_EQ(readFile(folder + "/wallpaper-1.bmp"), "mine");
    EXPECT_FALSE(fs::exists(folder + "/wallpaper-2.bmp"));
    EXPECT_EQ(readFile(folder + "/wallpaper-4.bmp"), "BM");
}

} // namespace
} // namespace zolvera::desktop
