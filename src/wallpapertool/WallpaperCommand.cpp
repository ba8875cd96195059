#include "wallpapertool/WallpaperCommand.h"

#include "desktop/Wallpaper.h"
#include "library/BuildInfo.h"
#include "library/GroupListFile.h"
#include "library/LibraryLayout.h"
#include "platform/Failure.h"
#include "platform/Translate.h"
#include "wallpapertool/LibraryGroups.h"
#include "wallpapertool/Positions.h"
#include "wallpapertool/RunLock.h"
#include "wallpapertool/TimerUnits.h"

#include <QtGlobal>

#include <cstdlib>
#include <exception>
#include <filesystem>

namespace zolvera::wallpaper {

namespace {

constexpr char kHelp[] = QT_TRANSLATE_NOOP(
    "WallpaperTool",
    "Használat:\n"
    "  zolvera-wallpaper set KÉP             a KÉP (JPEG-fájl) lesz a háttérkép\n"
    "  zolvera-wallpaper next CSOPORT        a csoport következő képe lesz a háttérkép\n"
    "  zolvera-wallpaper random CSOPORT      a csoport egy másik, véletlen képe lesz a háttérkép\n"
    "  zolvera-wallpaper restore             a legutóbbi háttérkép újra megjelenik (például\n"
    "                                        bejelentkezéskor, ahol az asztal nem őrzi meg)\n"
    "  zolvera-wallpaper groups              a csoportok, soronként egy\n"
    "  zolvera-wallpaper rotate CSOPORT IDŐKÖZ [--random]\n"
    "                                        IDŐKÖZönként (legalább 1s; például 30min, 1h)\n"
    "                                        a csoport következő (vagy véletlen) képe\n"
    "                                        lesz a háttérkép\n"
    "  zolvera-wallpaper rotate --stop       az időzítő leállítása\n"
    "  zolvera-wallpaper --help              ez a súgó\n"
    "  zolvera-wallpaper --version           a program változata\n"
    "\n"
    "A csoport nevében a kis- és nagybetű mindegy. A csoport olvashatatlan képeit a next\n"
    "és a random kihagyja (a hibaüzenet megnevezi őket). Az időzítő a systemd felhasználói\n"
    "példányában fut (zolvera-rotate.timer); ahol a munkamenet jelzi magát a systemd-nek\n"
    "(graphical-session.target), csak a grafikus munkamenettel együtt.\n"
    "\n"
    "Kilépési kód: 0 siker (a háttérkép megjelent az asztalon), 1 hiba (például nincs\n"
    "grafikus felület; ekkor a csoport helye sem lép tovább), 2 hibás parancssor.\n");

// Where the timer's runs find the library, the registry, the wallpaper folder and the
// positions: as this run found them, whatever their working folder. The base folder variables
// count only when absolute, so only those are passed on.
std::vector<std::pair<std::string, std::string>> timerEnvironment(const std::string& appFolder) {
    std::vector<std::pair<std::string, std::string>> environment{
        {"ZOLVERA_HOME", std::filesystem::absolute(appFolder).lexically_normal().string()}};
    if (const char* registry = std::getenv("ZOLVERA_REGISTRY"); registry && *registry)
        environment.emplace_back("ZOLVERA_REGISTRY", std::filesystem::absolute(registry).string());
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
        if (const char* value = std::getenv(name); value && value[0] == '/')
            environment.emplace_back(name, value);
    return environment;
}

// Runs that write the wallpaper files take their lock beside them, so that setting a picture
// needs no folder but the one it writes anyway.
std::string lockPath(const CommandContext& context) {
    return desktop::GetWindowsFolder(context.registry) + "Zolvera.lock";
}

void setWallpaper(const std::string& picture, const CommandContext& context) {
    const auto applier = context.makeApplier();
    const RunLock lock(lockPath(context));
    desktop::SetWallpaper(picture, context.registry, *applier);
}

void restoreWallpaper(const CommandContext& context) {
    const auto applier = context.makeApplier();
    const RunLock lock(lockPath(context));
    desktop::RestoreWallpaper(context.registry, *applier);
}

// Shows the group's next (or a random) picture. One that cannot be decoded is named and passed
// over, so a rotation never sticks on it; the position is written only once a picture was
// shown.
void setFromGroup(const std::string& name, bool random, const CommandContext& context) {
    const std::string group = findGroup(context.appFolder, name);
    const library::StringList pictures = groupPictures(context.appFolder, group);
    const auto applier = context.makeApplier();
    const RunLock lock(lockPath(context));
    // Read under the lock, so that a run waiting for it goes on from where this one ends.
    const std::string folder = stateFolder();
    Positions positions = Positions::load(folder);
    const auto last = positions.of(group);
    std::mt19937 engine{std::random_device{}()};
    const int first = random ? randomIndex(pictures, last, engine) : nextIndex(pictures, last);
    for (int step = 0; step < pictures.count(); ++step) {
        const int index = (first + step) % pictures.count();
        const std::string picture =
            library::groupFolderPath(context.appFolder, group) + "/" + pictures.at(index);
        try {
            desktop::SetWallpaper(picture, context.registry, *applier);
        } catch (const desktop::UnreadablePicture& failure) {
            context.err << "zolvera-wallpaper: "
                        << platform::substitute(
                               platform::translate(
                                   "WallpaperTool",
                                   "Ez a kép nem jeleníthető meg, kimarad: %1 (%2)"),
                               {picture, failure.what()})
                        << '\n';
            continue;
        }
        positions.set(group, {pictures.at(index), index});
        positions.save(folder);
        context.out << picture << '\n';
        return;
    }
    throw Failure(platform::substitute(
        platform::translate("WallpaperTool",
                            "Egyik kép sem jeleníthető meg ebből a csoportból: %1."),
        {group}));
}

void rotate(const std::vector<std::string>& arguments, const CommandContext& context) {
    const std::string& every = arguments.at(2);
    if (!isTimeSpan(every))
        throw Failure(platform::substitute(
            platform::translate("WallpaperTool", "Érvénytelen időköz: %1 (legalább egy másodperc, "
                                                 "egy sorban; például 30min, 1h vagy 1d)."),
            {every}));
    const RotationTimer timer{.program = context.program,
                              .group = findGroup(context.appFolder, arguments.at(1)),
                              .every = every,
                              .random = arguments.size() == 4,
                              .graphicalSession = hasGraphicalSession(context.systemctl),
                              .environment = timerEnvironment(context.appFolder)};
    groupPictures(context.appFolder, timer.group); // an empty group is refused now, not later
    const std::string folder = userUnitFolder();
    if (installRotationTimer(timer, folder, context.systemctl))
        context.out << platform::substitute(
            platform::translate("WallpaperTool", "A háttérkép %1 időközönként vált a %2 csoportból "
                                                 "(%3).\n"),
            {every, timer.group, kTimerName});
    else
        context.out << platform::substitute(
            platform::translate("WallpaperTool",
                                "Nem fut a systemd felhasználói példánya, ezért az "
                                "időzítő nem indult el.\nA fájlok elkészültek itt: "
                                "%1\nBekapcsolás később: systemctl --user enable "
                                "--now %2\n"),
            {folder, kTimerName});
}

void stopRotation(const CommandContext& context) {
    if (removeRotationTimer(userUnitFolder(), context.systemctl))
        context.out << platform::translate("WallpaperTool",
                                           "Az időzítő leállt, a fájljai törölve.\n");
    else
        context.out << platform::translate("WallpaperTool", "Nincs beállított időzítő.\n");
}

bool isHelp(const std::vector<std::string>& arguments) {
    return arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h");
}

bool isVersion(const std::vector<std::string>& arguments) {
    return arguments.size() == 1 && arguments[0] == "--version";
}

// Whether the command line is one of those run below.
bool understood(const std::vector<std::string>& arguments) {
    const std::string command = arguments.empty() ? "" : arguments.front();
    const std::size_t count = arguments.size();
    return isHelp(arguments) || isVersion(arguments) ||
           ((command == "set" || command == "next" || command == "random") && count == 2) ||
           ((command == "groups" || command == "restore") && count == 1) ||
           (command == "rotate" && count == 2 && arguments[1] == "--stop") ||
           (command == "rotate" && (count == 3 || (count == 4 && arguments[3] == "--random")));
}

// Runs a command line that answerAlone left.
void run(const std::vector<std::string>& arguments, const CommandContext& context) {
    const std::string command = arguments.empty() ? "" : arguments.front();
    if (command == "set") {
        setWallpaper(arguments[1], context);
    } else if (command == "restore") {
        restoreWallpaper(context);
    } else if (command == "next" || command == "random") {
        setFromGroup(arguments[1], command == "random", context);
    } else if (command == "groups") {
        const library::StringList groups = listedGroups(context.appFolder);
        for (const std::string& group : groups.items())
            context.out << group << '\n';
    } else if (arguments[1] == "--stop") {
        stopRotation(context);
    } else {
        rotate(arguments, context);
    }
}

constexpr char kUsageError[] = QT_TRANSLATE_NOOP(
    "WallpaperTool", "zolvera-wallpaper: hibás parancssor. Súgó: zolvera-wallpaper --help\n");

} // namespace

int runWallpaperCommand(const std::vector<std::string>& arguments, const CommandContext& context) {
    if (const auto answered = answerAlone(arguments, context.out, context.err))
        return *answered;
    try {
        run(arguments, context);
        return kDone;
    } catch (const std::exception& failure) {
        context.err << "zolvera-wallpaper: " << failure.what() << '\n';
        return kFailed;
    }
}

std::optional<int> answerAlone(const std::vector<std::string>& arguments, std::ostream& out,
                               std::ostream& err) {
    if (isHelp(arguments)) {
        out << platform::translate("WallpaperTool", kHelp);
        return kDone;
    }
    if (isVersion(arguments)) {
        out << "zolvera-wallpaper " << library::kVersion << '\n';
        return kDone;
    }
    if (!understood(arguments)) {
        err << platform::translate("WallpaperTool", kUsageError);
        return kBadCommandLine;
    }
    return std::nullopt;
}

} // namespace zolvera::wallpaper
