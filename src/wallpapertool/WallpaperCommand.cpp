#include "wallpapertool/WallpaperCommand.h"

#include "desktop/Wallpaper.h"
#include "library/GroupListFile.h"
#include "platform/Failure.h"
#include "wallpapertool/LibraryGroups.h"
#include "wallpapertool/Positions.h"
#include "wallpapertool/RunLock.h"
#include "wallpapertool/TimerUnits.h"

#include <cstdlib>
#include <exception>
#include <filesystem>

namespace zolvera::wallpaper {

namespace {

constexpr char kHelp[] =
    "Használat:\n"
    "  zolvera-wallpaper set KÉP             a KÉP (JPEG-fájl) lesz a háttérkép\n"
    "  zolvera-wallpaper next CSOPORT        a csoport következő képe lesz a háttérkép\n"
    "  zolvera-wallpaper random CSOPORT      a csoport egy másik, véletlen képe lesz a háttérkép\n"
    "  zolvera-wallpaper groups              a csoportok, soronként egy\n"
    "  zolvera-wallpaper rotate CSOPORT IDŐKÖZ [--random]\n"
    "                                        IDŐKÖZönként (például 30min, 1h) a csoport\n"
    "                                        következő (vagy véletlen) képe lesz a háttérkép\n"
    "  zolvera-wallpaper rotate --stop       az időzítő leállítása\n"
    "  zolvera-wallpaper --help              ez a súgó\n"
    "\n"
    "A csoport nevében a kis- és nagybetű mindegy. Az időzítő a systemd felhasználói\n"
    "példányában fut (zolvera-rotate.timer).\n";

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

// A command line that was not understood.
struct BadCommandLine {};

void setWallpaper(const std::string& picture, const CommandContext& context) {
    const auto applier = context.makeApplier();
    desktop::SetWallpaper(picture, context.registry, *applier);
}

void setFromGroup(const std::string& name, bool random, const CommandContext& context) {
    const std::string group = findGroup(context.appFolder, name);
    const library::StringList pictures = groupPictures(context.appFolder, group);
    const std::string folder = stateFolder();
    const RunLock lock(folder);
    // Read under the lock, so that a run waiting for it goes on from where this one ends.
    Positions positions = Positions::load(folder);
    const auto last = positions.of(group);
    std::mt19937 engine{std::random_device{}()};
    const int index = random ? randomIndex(pictures, last, engine) : nextIndex(pictures, last);
    const std::string picture =
        library::groupFolderPath(context.appFolder, group) + "/" + pictures.at(index);
    setWallpaper(picture, context);
    positions.set(group, {pictures.at(index), index});
    positions.save(folder);
    context.out << picture << '\n';
}

void rotate(const std::vector<std::string>& arguments, const CommandContext& context) {
    const std::string& every = arguments.at(2);
    if (!isTimeSpan(every))
        throw Failure("Érvénytelen időköz: " + every + " (például 30min, 1h vagy 1d).");
    const RotationTimer timer{.program = context.program,
                              .group = findGroup(context.appFolder, arguments.at(1)),
                              .every = every,
                              .random = arguments.size() == 4,
                              .environment = timerEnvironment(context.appFolder)};
    groupPictures(context.appFolder, timer.group); // an empty group is refused now, not later
    const std::string folder = userUnitFolder();
    if (installRotationTimer(timer, folder, context.systemctl))
        context.out << "A háttérkép " << every << " időközönként vált a " << timer.group
                    << " csoportból (" << kTimerName << ").\n";
    else
        context.out << "Nem fut a systemd felhasználói példánya, ezért az időzítő nem indult "
                       "el.\nA fájlok elkészültek itt: "
                    << folder << "\nBekapcsolás később: systemctl --user enable --now "
                    << kTimerName << '\n';
}

void stopRotation(const CommandContext& context) {
    if (removeRotationTimer(userUnitFolder(), context.systemctl))
        context.out << "Az időzítő leállt, a fájljai törölve.\n";
    else
        context.out << "Nincs beállított időzítő.\n";
}

void run(const std::vector<std::string>& arguments, const CommandContext& context) {
    const std::string command = arguments.empty() ? "" : arguments.front();
    const std::size_t count = arguments.size();
    if ((command == "--help" || command == "-h") && count == 1) {
        context.out << kHelp;
    } else if (command == "set" && count == 2) {
        const RunLock lock(stateFolder());
        setWallpaper(arguments[1], context);
    } else if ((command == "next" || command == "random") && count == 2) {
        setFromGroup(arguments[1], command == "random", context);
    } else if (command == "groups" && count == 1) {
        const library::StringList groups = listedGroups(context.appFolder);
        for (const std::string& group : groups.items())
            context.out << group << '\n';
    } else if (command == "rotate" && count == 2 && arguments[1] == "--stop") {
        stopRotation(context);
    } else if (command == "rotate" && (count == 3 || (count == 4 && arguments[3] == "--random"))) {
        rotate(arguments, context);
    } else {
        throw BadCommandLine{};
    }
}

} // namespace

int runWallpaperCommand(const std::vector<std::string>& arguments, const CommandContext& context) {
    try {
        run(arguments, context);
        return kDone;
    } catch (const BadCommandLine&) {
        context.err << "zolvera-wallpaper: hibás parancssor. Súgó: zolvera-wallpaper --help\n";
        return kBadCommandLine;
    } catch (const std::exception& failure) {
        context.err << "zolvera-wallpaper: " << failure.what() << '\n';
        return kFailed;
    }
}

} // namespace zolvera::wallpaper
