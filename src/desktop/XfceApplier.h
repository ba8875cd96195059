#pragma once

#include "desktop/CommandRunner.h"
#include "desktop/DesktopApplier.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zolvera::desktop {

// XFCE: the picture goes into every ".../last-image" property of the xfce4-desktop channel
// (one per monitor and workspace), with the image style beside it. A user for whom xfdesktop
// has never run has none yet: the properties xfdesktop reads for each monitor of the session,
// /backdrop/screen0/monitor<output>/workspace0/..., are made, so it shows the picture when it
// starts. Fails when there is no property to set and no monitor to make one for.
class XfceApplier : public DesktopApplier {
public:
    // monitorNames: the RandR output name of each monitor of the session.
    explicit XfceApplier(std::unique_ptr<CommandRunner> runner,
                         std::function<std::vector<std::string>()> monitorNames);
    void apply(const std::string& bitmapPath, WallpaperStyle style) override;

private:
    std::unique_ptr<CommandRunner> runner_;
    std::function<std::vector<std::string>()> monitorNames_;
};

} // namespace zolvera::desktop
