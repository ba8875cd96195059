#include "desktop/DesktopApplier.h"
#include "desktop/CommandAppliers.h"
#include "desktop/XfceApplier.h"

#include "platform/Failure.h"

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
        SessionEnvironment environment;
        DesktopSession expected;
    };
    for (const auto& [environment, expected] : {
             Case{{"ubuntu:GNOME", "ubuntu", false, true, true}, Gnome},
             Case{{"Budgie:GNOME", "", false, false, true}, Gnome},
             Case{{"Pantheon", "", false, false, true}, Gnome},
             Case{{"Unity", "", false, false, true}, Gnome},
             Case{{"X-Cinnamon", "cinnamon", false, false, true}, Cinnamon},
             Case{{"MATE", "", false, false, true}, Mate},
             Case{{"KDE", "plasmawayland", false, true, false}, Plasma},
             Case{{"Hyprland:XFCE", "", false, true, false}, Xfce}, // the first known entry
             Case{{"", "/usr/share/xsessions/plasma", false, false, true}, Plasma},
             Case{{"", "xubuntu", false, false, true}, Xfce},
             Case{{"sway", "", false, true, true}, Sway},
             Case{{"", "", true, true, false}, Sway}, // started by hand: only its socket
             Case{{"Hyprland", "hyprland", false, true, true}, Wayland},
             Case{{"i3", "i3", false, false, true}, X11},
             Case{{"", "", false, false, false}, None},
         })
        EXPECT_EQ(detectDesktopSession(environment), expected)
            << environment.currentDesktop << " " << environment.sessionName;
}

// Records the commands; a program's output comes from answers ("" when not given).
struct ScriptedRunner : CommandRunner {
    explicit ScriptedRunner(std::vector<Command>& commands) : log(commands) {}
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

// A monitor that xfdesktop has not shown yet (DP-2) gets the properties it will read.
TEST_F(CommandAppliersTest, XfceSetsEveryLastImageAndMakesThoseOfNewMonitors) {
    const std::string a = "/backdrop/screen0/monitorHDMI-1/workspace0";
    const std::string b = "/backdrop/screen0/monitoreDP-1/workspace1";
    const std::string c = "/backdrop/screen0/monitorDP-2/workspace0";
    runner->answers["xfconf-query"] =
        a + "/color-style\n" + a + "/last-image\n" + b + "/last-image\n/last-image-shown\n";
    XfceApplier(std::move(runner), [] {
        return std::vector<std::string>{"HDMI-1", "DP-2"};
    }).apply(bitmap, WallpaperStyle::Stretch);
    const auto xfconf = [](std::vector<std::string> rest) {
        rest.insert(rest.begin(), {"xfconf-query", "-c", "xfce4-desktop"});
        return rest;
    };
    std::vector<Command> expected{xfconf({"-l"})};
    for (const auto& base : {a, b, c}) {
        expected.push_back(xfconf({"-p", base + "/image-style", "-n", "-t", "int", "-s", "3"}));
        expected.push_back(
            xfconf({"-p", base + "/last-image", "-n", "-t", "string", "-s", bitmap}));
    }
    EXPECT_EQ(log, expected);

    // Nothing to set and no monitor to make a setting for: no success.
    EXPECT_THROW(XfceApplier(std::make_unique<ScriptedRunner>(log),
                             [] { return std::vector<std::string>{}; })
                     .apply(bitmap, WallpaperStyle::Stretch),
                 Failure);
}

TEST_F(CommandAppliersTest, SwayGetsEveryOutputAndAFailedToolIsReported) {
    SwayApplier(std::move(runner)).apply("/home/Éva/x.bmp", WallpaperStyle::Centre);
    EXPECT_EQ(log, (std::vector<Command>{{"swaymsg", "output", "*", "bg", "\"'/home/Éva/x.bmp'\"",
                                          "center", "#000000"}}));
    // A quote would be taken apart by sway's own parsing: refused rather than mangled.
    EXPECT_THROW(
        SwayApplier(std::make_unique<ScriptedRunner>(log)).apply(bitmap, WallpaperStyle::Centre),
        Failure);

    struct FailingRunner : CommandRunner {
        std::optional<std::string> run(const std::string&,
                                       const std::vector<std::string>&) override {
            return std::nullopt;
        }
    };
    try {
        GSettingsApplier(GSettingsApplier::gnome(), std::make_unique<FailingRunner>())
            .apply(bitmap, WallpaperStyle::Stretch);
        ADD_FAILURE() << "a failed gsettings passed for success";
    } catch (const Failure& failure) {
        EXPECT_NE(std::string(failure.what()).find("gsettings"), std::string::npos);
    }
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
