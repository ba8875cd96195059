#include "desktop/DesktopApplier.h"
#include "desktop/CommandAppliers.h"
#include "desktop/Registry.h"

#include "ScopedEnv.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>

namespace zolvera::desktop {
namespace {

using Command = std::vector<std::string>; // program, then its arguments

TEST(DesktopSession, DetectedFromTheSession) {
    using enum DesktopSession;
    EXPECT_EQ(detectDesktopSession("ubuntu:GNOME", "", true), Gnome);
    EXPECT_EQ(detectDesktopSession("X-Cinnamon", "", true), Cinnamon);
    EXPECT_EQ(detectDesktopSession("MATE", "", true), Mate);
    EXPECT_EQ(detectDesktopSession("KDE", "", true), Plasma);
    EXPECT_EQ(detectDesktopSession("Hyprland:xfce", "", false), Xfce); // first known entry
    EXPECT_EQ(detectDesktopSession("", "/usr/share/xsessions/plasma", true), Plasma);
    EXPECT_EQ(detectDesktopSession("i3", "i3", true), X11);
    EXPECT_EQ(detectDesktopSession("", "", false), None);
}

// Records the commands; a program's output comes from answers ("" when not given).
struct ScriptedRunner : CommandRunner {
    explicit ScriptedRunner(std::vector<Command>& log) : log(log) {}
    std::optional<std::string> run(const std::string& program,
                                   const std::vector<std::string>& arguments) override {
        log.push_back(Command{program});
        log.back().insert(log.back().end(), arguments.begin(), arguments.end());
        return answers[program];
    }
    std::vector<Command>& log;
    std::map<std::string, std::string> answers;
};

class CommandAppliersTest : public ::testing::Test {
protected:
    void setStyle(const char* style) {
        WriteRegString(kCurrentUser, "\\Control Panel\\Desktop\\", "WallpaperStyle", style);
    }

    test::TempDir dir;
    test::ScopedEnv env{"ZOLVERA_REGISTRY", dir / "registry.reg"};
    std::vector<Command> log;
    std::unique_ptr<ScriptedRunner> runner = std::make_unique<ScriptedRunner>(log);
    const std::string bitmap = "/home/Éva/it's #1/Zolvera.bmp";
};

TEST_F(CommandAppliersTest, GSettingsGetsQuotedUriAndStyle) {
    setStyle("2");
    GSettingsApplier(GSettingsApplier::gnome(), std::move(runner)).apply(bitmap);
    const std::string uri = "'file:///home/%C3%89va/it\\'s%20%231/Zolvera.bmp'";
    const std::string schema = "org.gnome.desktop.background";
    EXPECT_EQ(log, (std::vector<Command>{
                       {"gsettings", "set", schema, "picture-options", "'stretched'"},
                       {"gsettings", "set", schema, "picture-uri", uri},
                       {"gsettings", "set", schema, "picture-uri-dark", uri},
                   }));

    log.clear();
    setStyle("0");
    GSettingsApplier(GSettingsApplier::mate(), std::make_unique<ScriptedRunner>(log)).apply(bitmap);
    EXPECT_EQ(log, (std::vector<Command>{
                       {"gsettings", "set", "org.mate.background", "picture-options", "'centered'"},
                       {"gsettings", "set", "org.mate.background", "picture-filename",
                        "'/home/Éva/it\\'s #1/Zolvera.bmp'"},
                   }));
}

TEST_F(CommandAppliersTest, XfceSetsEveryLastImage) {
    setStyle("2");
    const std::string a = "/backdrop/screen0/monitorHDMI-1/workspace0";
    const std::string b = "/backdrop/screen0/monitoreDP-1/workspace1";
    runner->answers["xfconf-query"] =
        a + "/color-style\n" + a + "/last-image\n" + b + "/last-image\n/last-image-shown\n";
    XfceApplier(std::move(runner)).apply(bitmap);
    const auto xfconf = [](std::vector<std::string> rest) {
        rest.insert(rest.begin(), {"xfconf-query", "-c", "xfce4-desktop"});
        return rest;
    };
    EXPECT_EQ(log, (std::vector<Command>{
                       xfconf({"-l"}),
                       xfconf({"-p", a + "/image-style", "-n", "-t", "int", "-s", "3"}),
                       xfconf({"-p", a + "/last-image", "-s", bitmap}),
                       xfconf({"-p", b + "/image-style", "-n", "-t", "int", "-s", "3"}),
                       xfconf({"-p", b + "/last-image", "-s", bitmap}),
                   }));
}

TEST(ProcessRunner, OutputExitCodeAndTimeLimit) {
    ProcessRunner runner(300);
    EXPECT_EQ(runner.run("printf", {"%s|%s", "a b", "c;$(d)"}), "a b|c;$(d)"); // no shell
    EXPECT_EQ(runner.run("false", {}), std::nullopt);
    EXPECT_EQ(runner.run("/nonexistent/program", {}), std::nullopt);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(runner.run("sleep", {"30"}), std::nullopt);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

} // namespace
} // namespace zolvera::desktop
