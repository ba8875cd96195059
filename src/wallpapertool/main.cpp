// zolvera-wallpaper: sets the desktop wallpaper from the picture library without a window, for
// scripts, shortcuts and the rotation timer.
#include "desktop/CommandRunner.h"
#include "desktop/DesktopApplier.h"
#include "desktop/FileRegistry.h"
#include "library/AppFolder.h"
#include "platform/UiLanguage.h"
#include "wallpapertool/WallpaperCommand.h"

#include <QCoreApplication>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    // Runs the desktop's own tools through QProcess, which wants an application object; its
    // translators give the texts in the user's language.
    QCoreApplication application(argc, argv);
    zolvera::platform::installUiLanguage(application);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (const auto answered = zolvera::wallpaper::answerAlone(arguments, std::cout, std::cerr))
        return *answered;
    zolvera::desktop::FileRegistry registry;
    zolvera::desktop::ProcessRunner systemctl(30000);
    std::error_code error;
    auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        program = std::filesystem::absolute(argv[0]);
    const zolvera::wallpaper::CommandContext context{
        .appFolder = zolvera::library::findApplicationFolder(),
        .program = program.string(),
        .registry = registry,
        .makeApplier =
            [] {
                return zolvera::desktop::makeDesktopApplier(
                    zolvera::desktop::detectDesktopSession());
            },
        .systemctl = systemctl,
        .out = std::cout,
        .err = std::cerr,
    };
    return zolvera::wallpaper::runWallpaperCommand(arguments, context);
}
