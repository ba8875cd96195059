#include "wallpapertool/TimerUnits.h"

#include "platform/Failure.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/UserFolders.h"

#include <filesystem>
#include <regex>

namespace zolvera::wallpaper {

namespace {

// One argument or assignment in double quotes as systemd reads it: backslash and quote
// escaped, "%" doubled against specifier expansion and, on command lines, "$" doubled against
// variable expansion.
std::string quoted(std::string_view text, bool commandLine) {
    std::string result = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            result += '\\';
        else if (c == '%' || (commandLine && c == '$'))
            result += c;
        result += c;
    }
    return result + '"';
}

bool systemctl(desktop::CommandRunner& runner, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "--user");
    return runner.run("systemctl", arguments).has_value();
}

} // namespace

bool isTimeSpan(std::string_view text) {
    static const std::regex span("\\s*([0-9]+(\\.[0-9]+)?\\s*(usec|us|msec|ms|seconds|second|sec|"
                                 "s|minutes|minute|min|m|hours|hour|hr|h|days|day|d|weeks|week|w|"
                                 "months|month|M|years|year|y)?\\s*)+");
    return std::regex_match(text.begin(), text.end(), span) &&
           text.find_first_of("123456789") != std::string_view::npos;
}

std::string serviceUnit(const RotationTimer& timer) {
    std::string text = "[Unit]\n"
                       "Description=Zolvera: új háttérkép a csoportból\n"
                       "\n"
                       "[Service]\n"
                       "Type=oneshot\n";
    for (const auto& [name, value] : timer.environment)
        text += "Environment=" + quoted(name + "=" + value, false) + "\n";
    text += "ExecStart=" + quoted(timer.program, true) + (timer.random ? " random " : " next ") +
            quoted(timer.group, true) + "\n";
    return text;
}

std::string timerUnit(const RotationTimer& timer) {
    // The first change comes one interval after the timer starts, then one after each run.
    std::string text = "[Unit]\nDescription=Zolvera: háttérkép-váltás " + timer.every;
    text += " időközönként\n\n[Timer]\nOnActiveSec=" + timer.every;
    text += "\nOnUnitActiveSec=" + timer.every + "\nUnit=" + kServiceName;
    text += "\n\n[Install]\nWantedBy=timers.target\n";
    return text;
}

std::string userUnitFolder() {
    return platform::userBaseFolder("XDG_CONFIG_HOME", "/.config") + "/systemd/user";
}

bool installRotationTimer(const RotationTimer& timer, const std::string& folder,
                          desktop::CommandRunner& runner) {
    std::error_code ignored; // a folder that cannot be made shows up when a unit is written
    std::filesystem::create_directories(folder, ignored);
    platform::replaceFileOrFail(folder + "/" + kServiceName, serviceUnit(timer));
    platform::replaceFileOrFail(folder + "/" + kTimerName, timerUnit(timer));
    if (!systemctl(runner, {"daemon-reload"}))
        return false;
    // A timer already running keeps its old interval until it is restarted.
    if (!systemctl(runner, {"enable", kTimerName}) || !systemctl(runner, {"restart", kTimerName}))
        throw Failure(std::string("A systemctl --user enable ") + kTimerName +
                      " parancs nem sikerült.");
    return true;
}

bool removeRotationTimer(const std::string& folder, desktop::CommandRunner& runner) {
    if (systemctl(runner, {"disable", "--now", kTimerName}))
        systemctl(runner, {"stop", kServiceName});
    const bool service = platform::deleteFile(folder + "/" + kServiceName);
    const bool timer = platform::deleteFile(folder + "/" + kTimerName);
    if (service || timer)
        systemctl(runner, {"daemon-reload"});
    return service || timer;
}

} // namespace zolvera::wallpaper
