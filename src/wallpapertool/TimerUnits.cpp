#include "wallpapertool/TimerUnits.h"

#include "platform/Failure.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Translate.h"
#include "platform/UserFolders.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace zolvera::wallpaper {

namespace {

// Whether systemd takes the text in a unit file: it reads them as UTF-8 and drops an
// assignment that is not.
bool isUnitText(std::string_view text) {
    const QByteArray bytes(text.data(), qsizetype(text.size()));
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}

bool isControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
}

[[noreturn]] void refuse(std::string_view text) {
    throw Failure(platform::substitute(
        platform::translate("WallpaperTool", "Az időzítő nem állítható be, mert ez a szöveg nem "
                                             "írható a systemd egységfájljába: %1"),
        {text}));
}

// One argument or assignment in double quotes as systemd reads it: backslash and quote
// escaped, control characters (a line break would end the setting and begin another) written
// as C escapes, "%" doubled against specifier expansion and, on command lines, "$" doubled
// against variable expansion.
std::string quoted(std::string_view text, bool commandLine) {
    if (!isUnitText(text))
        refuse(text);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string result = "\"";
    for (const char c : text) {
        if (isControl(c)) {
            const auto byte = static_cast<unsigned char>(c);
            result += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xf]};
            continue;
        }
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

constexpr long double kSecond = 1;
constexpr long double kDay = 86400;

// systemd's time units, in seconds.
std::optional<long double> unitSeconds(std::string_view unit) {
    struct Unit {
        std::string_view names[4];
        long double seconds;
    };
    static constexpr Unit kUnits[] = {
        {{"usec", "us"}, kSecond / 1e6},
        {{"msec", "ms"}, kSecond / 1e3},
        {{"seconds", "second", "sec", "s"}, kSecond},
        {{"minutes", "minute", "min", "m"}, 60},
        {{"hours", "hour", "hr", "h"}, 3600},
        {{"days", "day", "d"}, kDay},
        {{"weeks", "week", "w"}, 7 * kDay},
        {{"months", "month", "M"}, 30.44L * kDay},
        {{"years", "year", "y"}, 365.25L * kDay},
    };
    if (unit.empty())
        return kSecond; // a bare number counts seconds
    for (const auto& known : kUnits)
        for (const auto name : known.names)
            if (!name.empty() && name == unit)
                return known.seconds;
    return std::nullopt;
}

// The length of a span as systemd reads it: numbers, each with an optional unit, separated by
// spaces or tabs only. Nothing for anything else.
std::optional<long double> timeSpanSeconds(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const auto isLetter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
    long double total = 0;
    bool any = false;
    std::size_t i = 0;
    const auto skip = [&](auto&& accepted) {
        const std::size_t start = i;
        while (i < text.size() && accepted(text[i]))
            ++i;
        return text.substr(start, i - start);
    };
    skip(isBlank);
    while (i < text.size()) {
        std::string number(skip(isDigit));
        if (number.empty())
            return std::nullopt;
        if (i < text.size() && text[i] == '.') {
            ++i;
            const auto fraction = skip(isDigit);
            if (fraction.empty())
                return std::nullopt;
            number += "." + std::string(fraction);
        }
        skip(isBlank);
        const auto seconds = unitSeconds(skip(isLetter));
        if (!seconds)
            return std::nullopt;
        total += std::strtold(number.c_str(), nullptr) * *seconds;
        any = true;
        skip(isBlank);
    }
    return any ? std::optional(total) : std::nullopt;
}

// Where a program's path is a unit setting's value, read without escapes: "%" doubled against
// specifier expansion; a path with a control character cannot be written there.
std::string unitPath(std::string_view path) {
    if (!isUnitText(path) || std::any_of(path.begin(), path.end(), isControl))
        refuse(path);
    std::string result;
    for (const char c : path) {
        if (c == '%')
            result += c;
        result += c;
    }
    return result;
}

constexpr char kGraphicalSession[] = "graphical-session.target";

// A unit file's text as it is, or nothing when there is none.
std::optional<std::string> existingUnit(const std::string& path) {
    if (!platform::fileExists(path))
        return std::nullopt;
    return platform::readWholeFile(path);
}

// Puts a unit back as it was before: its earlier text, or no file. A new unit that cannot be
// deleted stays; the caller reports the refused timer either way.
void putBack(const std::string& path, const std::optional<std::string>& earlier) {
    if (earlier)
        platform::replaceFileOrFail(path, *earlier);
    else
        static_cast<void>(platform::deleteFile(path));
}

} // namespace

bool isTimeSpan(std::string_view text) {
    // systemd keeps spans in 64-bit microseconds; a longer one is refused by it.
    constexpr long double kLongest = 1e12L;
    const auto seconds = timeSpanSeconds(text);
    return seconds && *seconds >= kSecond && *seconds < kLongest;
}

std::string serviceUnit(const RotationTimer& timer) {
    // The service does nothing once the program is uninstalled.
    std::string text = "[Unit]\nDescription=Zolvera: új háttérkép a csoportból\n"
                       "ConditionPathExists=" +
                       unitPath(timer.program) + "\n";
    if (timer.graphicalSession)
        text += std::string("PartOf=") + kGraphicalSession + "\nAfter=" + kGraphicalSession + "\n";
    text += "\n[Service]\nType=oneshot\n";
    for (const auto& [name, value] : timer.environment)
        text += "Environment=" + quoted(name + "=" + value, false) + "\n";
    text += "ExecStart=" + quoted(timer.program, true) + (timer.random ? " random " : " next ") +
            quoted(timer.group, true) + "\n";
    return text;
}

std::string timerUnit(const RotationTimer& timer) {
    // The first change comes one interval after the timer starts, then one after each run.
    std::string text = "[Unit]\nDescription=Zolvera: háttérkép-váltás " + timer.every;
    text += " időközönként\n";
    if (timer.graphicalSession)
        text += std::string("PartOf=") + kGraphicalSession + "\n";
    text += "\n[Timer]\nOnActiveSec=" + timer.every;
    text += "\nOnUnitActiveSec=" + timer.every + "\nUnit=" + kServiceName;
    text += std::string("\n\n[Install]\nWantedBy=") +
            (timer.graphicalSession ? kGraphicalSession : "timers.target") + "\n";
    return text;
}

std::string userUnitFolder() {
    return platform::userBaseFolder("XDG_CONFIG_HOME", "/.config") + "/systemd/user";
}

bool installRotationTimer(const RotationTimer& timer, const std::string& folder,
                          desktop::CommandRunner& runner) {
    // A text the units cannot hold is refused before anything is written.
    const std::string serviceText = serviceUnit(timer);
    const std::string timerText = timerUnit(timer);
    const std::string servicePath = folder + "/" + kServiceName;
    const std::string timerPath = folder + "/" + kTimerName;
    const auto earlierService = existingUnit(servicePath);
    const auto earlierTimer = existingUnit(timerPath);
    std::error_code ignored; // a folder that cannot be made shows up when a unit is written
    std::filesystem::create_directories(folder, ignored);
    platform::replaceFileOrFail(servicePath, serviceText);
    platform::replaceFileOrFail(timerPath, timerText);
    if (!systemctl(runner, {"daemon-reload"}))
        return false;
    // reenable moves the timer to the target it now names; a timer already running keeps its
    // old interval until it is restarted.
    if (systemctl(runner, {"reenable", kTimerName}) && systemctl(runner, {"restart", kTimerName}))
        return true;
    putBack(servicePath, earlierService);
    putBack(timerPath, earlierTimer);
    systemctl(runner, {"daemon-reload"});
    if (earlierTimer) {
        systemctl(runner, {"reenable", kTimerName});
        systemctl(runner, {"restart", kTimerName});
    }
    throw Failure(platform::substitute(
        platform::translate("WallpaperTool", "A systemd nem fogadta el az időzítőt (%1); a "
                                             "korábbi beállítás maradt érvényben."),
        {kTimerName}));
}

bool hasGraphicalSession(desktop::CommandRunner& runner) {
    return systemctl(runner, {"is-active", "--quiet", kGraphicalSession});
}

bool removeRotationTimer(const std::string& folder, desktop::CommandRunner& runner) {
    if (systemctl(runner, {"disable", "--now", kTimerName}))
        systemctl(runner, {"stop", kServiceName});
    bool removed = false;
    std::string kept; // a unit that is there but cannot be deleted
    for (const char* unit : {kServiceName, kTimerName}) {
        const std::string path = folder + "/" + unit;
        if (platform::deleteFile(path))
            removed = true;
        else if (platform::entryKind(path) != platform::EntryKind::Missing)
            kept = path;
    }
    if (removed)
        systemctl(runner, {"daemon-reload"});
    if (!kept.empty())
        throw Failure(platform::substitute(
            platform::translate("WallpaperTool", "Az időzítő fájlja nem törölhető: %1."), {kept}));
    return removed;
}

} // namespace zolvera::wallpaper
