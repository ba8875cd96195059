#include "wallpapertool/WallpaperCommand.h"
#include "wallpapertool/TimerUnits.h"

#include "desktop/FileRegistry.h"
#include "desktop/ScopedEnv.h"
#include "library/GroupListFile.h"
#include "library/Seged.h"
#include "platform/Failure.h"
#include "support/JpegFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sstream>
#include <sys/file.h>
#include <unistd.h>

namespace zolvera::wallpaper {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using Lines = std::vector<std::string>;

// Records what it was asked to show and whether another run could have written the
// wallpaper files meanwhile.
struct RecordingApplier : desktop::DesktopApplier {
    RecordingApplier(Lines& appliedPaths, bool& unlockedSeen, std::string lockPath)
        : applied(appliedPaths), unlocked(unlockedSeen), lockFile(std::move(lockPath)) {}
    void apply(const std::string& bitmapPath, desktop::WallpaperStyle) override {
        applied.push_back(bitmapPath);
        const int fd = ::open(lockFile.c_str(), O_RDWR | O_CLOEXEC);
        unlocked = unlocked || fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        ::close(fd);
    }
    Lines& applied;
    bool& unlocked;
    std::string lockFile;
};

// A session without a desktop.
struct NoDesktop : desktop::DesktopApplier {
    void apply(const std::string&, desktop::WallpaperStyle) override {
        throw Failure("Nincs grafikus felület.");
    }
};

// systemctl with or without a user manager, recording its argument lists; refusing the calls
// that begin with refused.
struct FakeSystemctl : desktop::CommandRunner {
    std::optional<std::string> run(const std::string& program, const Lines& arguments) override {
        std::string call = program;
        for (const auto& argument : arguments)
            call += " " + argument;
        calls.push_back(call);
        const bool refuses = !refused.empty() && call.starts_with(refused);
        return managerRuns && !refuses ? std::optional<std::string>("") : std::nullopt;
    }
    bool managerRuns = true;
    std::string refused;
    Lines calls;
};

class WallpaperCommandTest : public ::testing::Test {
protected:
    // A group folder with its cover and the pictures, each of its own width, listed in order.
    void makeGroup(const std::string& name, int pictures) {
        Lines names;
        for (int i = 0; i < pictures; ++i)
            names.push_back("kep" + std::to_string(i) + ".jpg");
        makeGroup(name, names);
    }
    void makeGroup(const std::string& name, const Lines& pictures) {
        for (std::size_t i = 0; i < pictures.size(); ++i)
            test::writeJpeg(groupFolder(name) + "/" + pictures[i],
                            {.width = 16 + 8 * static_cast<int>(i), .height = 16});
        test::writeJpeg(groupFolder(name) + "/init.jpg", {.width = 8, .height = 8});
        groups.push_back(name);
        library::StringList list;
        for (const auto& group : groups)
            list.add(group);
        library::saveGroupList(home / "Zolvera.lst", list);
    }
    std::string groupFolder(const std::string& name) const { return home / ("Hatterek/" + name); }
    int run(const Lines& arguments) {
        out.str("");
        err.str("");
        const CommandContext context{
            .appFolder = home.path(),
            .program = "/bin/true",
            .registry = registry,
            .makeApplier = [this]() -> std::unique_ptr<desktop::DesktopApplier> {
                if (noDesktop)
                    return std::make_unique<NoDesktop>();
                return std::make_unique<RecordingApplier>(applied, unlocked,
                                                          dataFolder + "/Zolvera.lock");
            },
            .systemctl = systemctl,
            .out = out,
            .err = err,
        };
        return runWallpaperCommand(arguments, context);
    }
    // The picture that the wallpaper copy came from.
    std::string wallpaperCopy() const { return readFile(dataFolder + "/Zolvera.jpg"); }
    std::string picture(const std::string& group, const std::string& name) const {
        return readFile(groupFolder(group) + "/" + name);
    }

    test::TempDir home;
    test::TempDir elsewhere;
    std::string dataFolder = elsewhere / "data";
    std::string stateFolder = elsewhere / "state/zolvera";
    std::string unitFolder = elsewhere / "config/systemd/user";
    desktop::FileRegistry registry{elsewhere / "registry.reg"};
    test::ScopedEnv data{"XDG_DATA_HOME", dataFolder};
    test::ScopedEnv state{"XDG_STATE_HOME", elsewhere / "state"};
    test::ScopedEnv config{"XDG_CONFIG_HOME", elsewhere / "config"};
    Lines groups;
    Lines applied;
    bool unlocked = false;
    bool noDesktop = false;
    FakeSystemctl systemctl;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(WallpaperCommandTest, NextGoesInNameOrderWrapsAndRemembersItsPlaceInAnyLetterCase) {
    makeGroup("Tájképek", {"kép1.jpg", "kep2.jpg", "Kep10.jpg"});
    // Upper-cased names compared unit by unit: "KEP10" < "KEP2" < "KÉP1".
    const Lines order = {"Kep10.jpg", "kep2.jpg", "kép1.jpg"};
    const Lines names = {"Tájképek", "tájképek", "TÁJKÉPEK", "Tájképek"};
    for (std::size_t run = 0; run < names.size(); ++run) {
        ASSERT_EQ(this->run({"next", names[run]}), kDone) << err.str();
        EXPECT_EQ(wallpaperCopy(), picture("Tájképek", order[run % 3])) << run;
    }
    EXPECT_EQ(applied, Lines(4, dataFolder + "/Zolvera.bmp"));
    EXPECT_FALSE(unlocked);

    // The current picture deleted: the rotation goes on from its place.
    fs::remove(groupFolder("Tájképek") + "/" + order[1]);
    ASSERT_EQ(run({"next", "Tájképek"}), kDone);
    EXPECT_EQ(wallpaperCopy(), picture("Tájképek", order[2]));
}

TEST_F(WallpaperCommandTest, RandomNeverRepeatsTheCurrentPicture) {
    makeGroup("Kettő", 2);
    std::string last;
    for (int run = 0; run < 6; ++run) {
        ASSERT_EQ(this->run({"random", "Kettő"}), kDone) << err.str();
        EXPECT_NE(wallpaperCopy(), last) << run;
        last = wallpaperCopy();
    }
}

TEST_F(WallpaperCommandTest, AGroupThatCannotGiveAPictureFailsAndWritesNothing) {
    makeGroup("Üres", 0);
    makeGroup("Sérült", 1);
    test::writeTruncatedJpeg(groupFolder("Sérült") + "/kep0.jpg", 20);

    EXPECT_EQ(run({"next", "Nincs"}), kFailed);
    EXPECT_EQ(err.str(), "zolvera-wallpaper: Nincs ilyen csoport: Nincs.\n");
    EXPECT_EQ(run({"random", "üres"}), kFailed);
    EXPECT_EQ(err.str(), "zolvera-wallpaper: Üres csoport: Üres.\n");
    EXPECT_FALSE(fs::exists(stateFolder));
    EXPECT_EQ(run({"next", "Sérült"}), kFailed);
    EXPECT_NE(err.str().find("kimarad: " + groupFolder("Sérült") + "/kep0.jpg (JPEG error #"),
              std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("Egyik kép sem jeleníthető meg ebből a csoportból: Sérült."),
              std::string::npos);

    EXPECT_TRUE(applied.empty());
    EXPECT_FALSE(fs::exists(stateFolder + "/positions.json"));
    EXPECT_FALSE(fs::exists(dataFolder + "/Zolvera.bmp"));
    EXPECT_FALSE(fs::exists(dataFolder + "/Zolvera.jpg"));
}

// A damaged picture and one whose name is Latin-1 (not UTF-8, so not a JSON text) in a
// rotated group: every run shows a picture, the damaged one is named and passed over, and
// the position moves on.
TEST_F(WallpaperCommandTest, NextPassesOverADamagedPictureAndRemembersAnyFileName) {
    makeGroup("Vegyes", 3);
    test::writeTruncatedJpeg(groupFolder("Vegyes") + "/kep1.jpg", 20);
    fs::rename(groupFolder("Vegyes") + "/kep2.jpg", groupFolder("Vegyes") + "/b\xe9ke.jpg");
    Lines shown;
    bool named = false;
    for (int run = 0; run < 4; ++run) {
        ASSERT_EQ(this->run({"next", "Vegyes"}), kDone) << err.str();
        shown.push_back(out.str());
        named = named || err.str().find("/kep1.jpg (JPEG error #") != std::string::npos;
    }
    EXPECT_TRUE(named);
    EXPECT_NE(shown[0], shown[1]);
    EXPECT_EQ(shown[0], shown[2]);
    EXPECT_EQ(shown[1], shown[3]);

    // Without a desktop the run fails and the position stays.
    noDesktop = true;
    EXPECT_EQ(run({"next", "Vegyes"}), kFailed);
    EXPECT_TRUE(err.str().ends_with("zolvera-wallpaper: Nincs grafikus felület.\n")) << err.str();
    noDesktop = false;
    ASSERT_EQ(run({"next", "Vegyes"}), kDone);
    EXPECT_EQ(out.str(), shown[0]);
}

// A picture padded to 3 GB (a sparse file) is refused unread, named, and passed over: the
// rotation never sticks on it. set refuses it and writes nothing.
TEST_F(WallpaperCommandTest, NextPassesOverAPictureTooLargeToRead) {
    makeGroup("Nagy", 2);
    const std::string huge = groupFolder("Nagy") + "/kep0.jpg";
    fs::resize_file(huge, std::uintmax_t{3} << 30);
    const std::string named =
        "kimarad: " + huge + " (Cannot open file \"" + huge + "\". File too large)";
    bool passedOver = false;
    for (int run = 0; run < 2; ++run) {
        ASSERT_EQ(this->run({"next", "Nagy"}), kDone) << err.str();
        EXPECT_EQ(wallpaperCopy(), picture("Nagy", "kep1.jpg"));
        passedOver = passedOver || err.str().find(named) != std::string::npos;
    }
    EXPECT_TRUE(passedOver);
    fs::remove(dataFolder + "/Zolvera.jpg");
    EXPECT_EQ(run({"set", huge}), kFailed);
    EXPECT_FALSE(fs::exists(dataFolder + "/Zolvera.jpg"));
}

TEST_F(WallpaperCommandTest, RestoreShowsTheLastWallpaperAndSetNeedsNoStateFolder) {
    EXPECT_EQ(run({"restore"}), kFailed);
    test::writeFile(elsewhere / "state", "a file where the state folder would be");
    test::writeJpeg(home / "kep.jpg");
    ASSERT_EQ(run({"set", home / "kep.jpg"}), kDone) << err.str();
    ASSERT_EQ(run({"restore"}), kDone) << err.str();
    EXPECT_EQ(applied, Lines(2, dataFolder + "/Zolvera.bmp"));
}

TEST_F(WallpaperCommandTest, RotateWritesUnitsSystemdAcceptsAndStopRemovesThem) {
    const std::string name = "50% \"kék\" $HOME";
    makeGroup(name, 1);
    ASSERT_EQ(run({"rotate", "50% \"KÉK\" $home", "30min", "--random"}), kDone) << err.str();

    const std::string service = readFile(unitFolder + "/zolvera-rotate.service");
    EXPECT_NE(service.find("Environment=\"ZOLVERA_HOME=" + home.path() + "\"\n"),
              std::string::npos);
    EXPECT_NE(service.find("ExecStart=\"/bin/true\" random \"50%% \\\"kék\\\" $$HOME\"\n"),
              std::string::npos)
        << service;
    EXPECT_NE(service.find("ConditionPathExists=/bin/true\n"), std::string::npos);
    const std::string timer = readFile(unitFolder + "/zolvera-rotate.timer");
    EXPECT_NE(timer.find("OnUnitActiveSec=30min\n"), std::string::npos) << timer;
    EXPECT_NE(timer.find("WantedBy=graphical-session.target\n"), std::string::npos) << timer;
    EXPECT_EQ(systemctl.calls, (Lines{"systemctl --user is-active --quiet graphical-session.target",
                                      "systemctl --user daemon-reload",
                                      "systemctl --user reenable zolvera-rotate.timer",
                                      "systemctl --user restart zolvera-rotate.timer"}));

    if (std::system("systemd-analyze --version >/dev/null 2>&1") == 0) {
        const std::string verify = "systemd-analyze verify '" + unitFolder +
                                   "/zolvera-rotate.service' '" + unitFolder +
                                   "/zolvera-rotate.timer'";
        EXPECT_EQ(std::system(verify.c_str()), 0);
    } else {
        std::cout << "systemd-analyze is not installed; the units are not verified\n";
    }

    systemctl.calls.clear();
    ASSERT_EQ(run({"rotate", "--stop"}), kDone);
    EXPECT_EQ(systemctl.calls.front(), "systemctl --user disable --now zolvera-rotate.timer");
    EXPECT_FALSE(fs::exists(unitFolder + "/zolvera-rotate.service"));
    EXPECT_FALSE(fs::exists(unitFolder + "/zolvera-rotate.timer"));

    // A unit that cannot be deleted (here a folder in its place) is not reported as deleted.
    test::writeFile(unitFolder + "/zolvera-rotate.service", "[Unit]\n");
    fs::create_directories(unitFolder + "/zolvera-rotate.timer/kept");
    EXPECT_EQ(run({"rotate", "--stop"}), kFailed);
    EXPECT_NE(err.str().find("nem törölhető"), std::string::npos) << err.str();
}

TEST(TimerUnits, ALineBreakInAPathStaysInItsSettingOrIsRefused) {
    RotationTimer timer{
        .program = "/bin/true",
        .group = "G",
        .every = "1h",
        .environment = {{"ZOLVERA_HOME", "/home/a\nExecStartPre=/bin/rm -rf /home/a"}}};
    const std::string service = serviceUnit(timer);
    EXPECT_NE(service.find("Environment=\"ZOLVERA_HOME=/home/a\\x0aExecStartPre=/bin/rm -rf "
                           "/home/a\"\n"),
              std::string::npos)
        << service;
    EXPECT_EQ(service.find("\nExecStartPre"), std::string::npos);

    for (const auto& [program, value] : {std::pair{"/opt/a\nb/zolvera-wallpaper", "/home/a"},
                                         std::pair{"/bin/true", "/home/\xE9"}}) {
        timer.program = program;
        timer.environment = {{"ZOLVERA_HOME", value}};
        EXPECT_THROW(serviceUnit(timer), Failure) << program << value;
    }
}

TEST_F(WallpaperCommandTest, RotateRefusesABadIntervalAndWithoutAManagerLeavesTheUnitsReady) {
    makeGroup("Tájképek", 1);
    for (const char* every : {"30min\nExecStart=/bin/rm", "30min\n", "1\nh", "0", "0.0000001us",
                              "1.5us", "999ms", "30 parsec"})
        EXPECT_EQ(run({"rotate", "Tájképek", every}), kFailed) << every;
    EXPECT_FALSE(fs::exists(unitFolder));

    // An interval the manager refuses leaves the timer that worked as it was.
    ASSERT_EQ(run({"rotate", "Tájképek", "1h"}), kDone);
    const std::string working = readFile(unitFolder + "/zolvera-rotate.timer");
    systemctl.refused = "systemctl --user restart";
    EXPECT_EQ(run({"rotate", "Tájképek", "2h"}), kFailed);
    EXPECT_EQ(readFile(unitFolder + "/zolvera-rotate.timer"), working);
    systemctl.refused.clear();

    systemctl.managerRuns = false;
    ASSERT_EQ(run({"rotate", "Tájképek", "1h 30m"}), kDone) << err.str();
    EXPECT_NE(out.str().find("Nem fut a systemd felhasználói példánya"), std::string::npos);
    EXPECT_TRUE(fs::exists(unitFolder + "/zolvera-rotate.timer"));
}

} // namespace
} // namespace zolvera::wallpaper
