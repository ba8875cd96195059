#pragma once

#include "desktop/CommandRunner.h"
#include "desktop/DesktopApplier.h"
#include "desktop/Registry.h"

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace zolvera::wallpaper {

// What a run of zolvera-wallpaper works with; tests give fakes for the desktop and systemctl.
struct CommandContext {
    std::string appFolder;
    std::string program; // full path of the command, which the timer runs
    desktop::Registry& registry;
    // The desktop of the running session; made only by the commands that set a wallpaper.
    std::function<std::unique_ptr<desktop::DesktopApplier>()> makeApplier;
    desktop::CommandRunner& systemctl;
    std::ostream& out;
    std::ostream& err;
};

// Exit statuses: done, a failure (its text on err), a command line that was not understood.
inline constexpr int kDone = 0;
inline constexpr int kFailed = 1;
inline constexpr int kBadCommandLine = 2;

// Runs one command line, given without the program name, and returns its exit status.
int runWallpaperCommand(const std::vector<std::string>& arguments, const CommandContext& context);

// Answers the command lines that need neither the library nor the desktop (--help, --version,
// one that is not understood) and returns their status; nothing for the others. Touches no
// file, so the program asks it before it finds its folders.
std::optional<int> answerAlone(const std::vector<std::string>& arguments, std::ostream& out,
                               std::ostream& err);

} // namespace zolvera::wallpaper
