#pragma once

#include "desktop/CommandRunner.h"
#include "desktop/DesktopApplier.h"

#include <memory>
#include <string>

namespace zolvera::desktop {

// KDE Plasma: a script run by plasmashell over D-Bus (gdbus, else Qt's qdbus) that gives every
// desktop the image wallpaper plugin with the picture, whatever plugin it showed before (a plain
// colour, a slideshow ...). Fails when no plasmashell answered or it had no desktop to set.
class PlasmaApplier : public DesktopApplier {
public:
    explicit PlasmaApplier(std::unique_ptr<CommandRunner> runner) : runner_(std::move(runner)) {}
    void apply(const std::string& bitmapPath, WallpaperStyle style) override;

private:
    std::unique_ptr<CommandRunner> runner_;
};

} // namespace zolvera::desktop
