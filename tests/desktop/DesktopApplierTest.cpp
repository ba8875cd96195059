#include "desktop/DesktopApplier.h"
#include "desktop/CommandAppliers.h"

#include "ScopedEnv.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>

namespace zolvera::desktop {
namespace {

using Command = std::vector<std::string>; // program, then its arguments

// Every desktop the README names, from the session's environment.
TEST(DesktopSession, DetectedFromTheEnvironment) {
    using enum DesktopSession;
    struct Case {
        const char* currentDesktop;
        const char* sessionName;
        const char* display;
        DesktopSession expected;
    };
    for (const auto& [currentDesktop, sessionName, display, expected] : {
             Case{"ubuntu:GNOME", "ubuntu", ":0", Gnome},
             Case{"Budgie:GNOME", "", ":0", Gnome},
             Case{"Pantheon", "", ":0", Gnome},
             Case{"Unity", "", ":0", Gnome},
             Case{"X-Cinnamon", "cinnamon", ":0", Cinnamon},
             Case{"MATE", "", ":0", Mate},
             Case{"KDE", "plasmawayland", "", Plasma},
             Case{"Hyprland:XFCE", "", "", Xfce}, // the first known entry
             Case{"", "/usr/share/xsessions/plasma", ":0", Plasma},
             Case{"", "xubuntu", ":0", Xfce},
             Case{"i3", "i3", ":0", X11},
             Case{"", "", "", None},
         }) {
        const test::ScopedEnv xdg("XDG_CURRENT_DESKTOP", currentDesktop);
        const test::ScopedEnv session("DESKTOP_SESSION", sessionName);
        const test::ScopedEnv shown("DISPLAY",
                                    *display ? std::optional<std::string>(display) : std::nullopt);
        EXPECT_EQ(detectDesktopSession(), expected) << currentDesktop << " " << sessionName;
    }
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
    std::vector<Command> log;
    std::unique_ptr<ScriptedRunner> runner = std::make_unique<ScriptedRunner>(log);
    const std::string bitmap = "/home/Éva/it's #1/Zolvera.bmp";
};

TEST_F(CommandAppliersTest, GSettingsGetsQuotedUriAndStyle) {
    GSettingsApplier(GSettingsApplier::gnome(), std::move(runner))
        .apply(bitmap, WallpaperStyle::Stretch);
    const std::string uri = "'file:///home/%C3%89va/it\\'s%20%231/Zolvera.bmp'";
    const std::string schema = "org.gnome.desktop.background";
    EXPECT_EQ(log, (std::vector<Command>{
                       {"gsettings", "set", schema, "picture-options", "'stretched'"},
                       {"gsettings", "set", schema, "picture-uri", uri},
                       {"gsettings", "set", schema, "picture-uri-dark", uri},
                   }));

    log.clear();
    GSettingsApplier(GSettingsApplier::mate(), std::make_unique<ScriptedRunner>(log))
        .apply(bitmap, WallpaperStyle::Centre);
    EXPECT_EQ(log, (std::vector<Command>{
                       {"gsettings", "set", "org.mate.background", "picture-options", "'centered'"},
                       {"gsettings", "set", "org.mate.background", "picture-filename",
                        "'/home/Éva/it\\'s #1/Zolvera.bmp'"},
                   }));
}

TEST_F(CommandAppliersTest, XfceSetsEveryLastImage) {
    const std::string a = "/backdrop/screen0/monitorHDMI-1/workspace0";
    const std::string b = "/backdrop/screen0/monitoreDP-1/workspace1";
    runner->answers["xfconf-query"] =
        a + "/color-style\n" + a + "/last-image\n" + b + "/last-image\n/last-image-shown\n";
    XfceApplier(std::move(runner)).apply(bitmap, WallpaperStyle::Stretch);
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

TEST_F(CommandAppliersTest, PlasmaScriptSetsEveryImageDesktop) {
    PlasmaApplier(std::move(runner)).apply(bitmap, WallpaperStyle::Centre);
    const std::string script = "var all = desktops();\n"
                               "for (var i = 0; i < all.length; i++) {\n"
                               "    var d = all[i];\n"
                               "    if (d.wallpaperPlugin != \"org.kde.image\") continue;\n"
                               "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", "
                               "\"General\"];\n"
                               "    d.writeConfig(\"FillMode\", 6);\n"
                               "    d.writeConfig(\"Image\", "
                               "\"file:///home/%C3%89va/it's%20%231/Zolvera.bmp\");\n"
                               "}\n";
    EXPECT_EQ(log, (std::vector<Command>{{"gdbus", "call", "--session", "--dest",
                                          "org.kde.plasmashell", "--object-path", "/PlasmaShell",
                                          "--method", "org.kde.PlasmaShell.evaluateScript",
                                          gvariantString(script)}}));
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
