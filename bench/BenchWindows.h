#pragma once

#include "PrintingDialogs.h"

#include "desktop/DesktopApplier.h"
#include "desktop/FileRegistry.h"
#include "desktop/ShellLauncher.h"
#include "library/Settings.h"
#include "ui/WindowContext.h"

#include <string>

namespace zolvera::bench {

// Opens nothing: a benchmark never reaches the launcher.
struct NoLauncher : desktop::ShellLauncher {
    void open(const std::string&) override {}
};

// What a benchmark's windows are handed: boxes printed, the registry in the given store, a
// settings record of its own and no desktop to set a wallpaper on.
struct BenchWindows {
    explicit BenchWindows(std::string registryStore) : registry(std::move(registryStore)) {}

    PrintingDialogs dialogs;
    desktop::FileRegistry registry;
    library::TBeall settings;
    NoLauncher launcher;
    ui::WindowContext context{
        .settings = settings,
        .registry = registry,
        .dialogs = dialogs,
        .launcher = launcher,
        .applierFor = [] { return desktop::makeDesktopApplier(desktop::DesktopSession::None); },
        .defaultServer = "localhost:8080",
    };
};

} // namespace zolvera::bench
