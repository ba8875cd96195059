#pragma once

#include "desktop/DesktopApplier.h"
#include "desktop/Registry.h"
#include "desktop/ShellLauncher.h"
#include "library/Settings.h"
#include "ui/WindowContext.h"

#include <memory>
#include <string>
#include <vector>

namespace zolvera::test {

// Keeps what the windows hand to the desktop's launcher instead of opening it.
struct RecordingLauncher : desktop::ShellLauncher {
    std::vector<std::string> opened;
    void open(const std::string& command) override { opened.push_back(command); }
};

// Keeps the bitmaps handed to the desktop instead of showing them.
struct RecordingApplier : desktop::DesktopApplier {
    explicit RecordingApplier(std::vector<std::string>& applied) : applied_(applied) {}
    void apply(const std::string& bitmapPath, desktop::WallpaperStyle) override {
        applied_.push_back(bitmapPath);
    }

private:
    std::vector<std::string>& applied_;
};

// A registry without keys, for windows that never reach it.
struct NoRegistry : desktop::Registry {
    std::unique_ptr<desktop::RegistryKey> openKey(std::uint32_t, const std::string&) override {
        return nullptr;
    }
    std::unique_ptr<desktop::RegistryKey> createKey(std::uint32_t, const std::string&) override {
        return nullptr;
    }
};

// What the windows are handed in tests: a settings record of their own, and a launcher and a
// desktop that keep what they are given.
struct WindowDoubles {
    library::TBeall settings;
    RecordingLauncher launcher;
    std::vector<std::string> wallpapers; // the bitmaps handed to the desktop, in order
    NoRegistry noRegistry;

    // The context of windows that show their boxes through dialogs and keep desktop values in
    // registry.
    ui::WindowContext contextWith(ui::Dialogs& dialogs, desktop::Registry& registry) {
        return {.settings = settings,
                .registry = registry,
                .dialogs = dialogs,
                .launcher = launcher,
                .applierFor = [this] { return std::make_unique<RecordingApplier>(wallpapers); },
                .defaultServer = "localhost:8080"};
    }
    ui::WindowContext contextWith(ui::Dialogs& dialogs) { return contextWith(dialogs, noRegistry); }
};

} // namespace zolvera::test
