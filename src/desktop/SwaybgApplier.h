#pragma once

#include "desktop/DesktopApplier.h"

#include <string>

namespace zolvera::desktop {

// The wallpaper of a Wayland compositor that draws none of its own (the wlroots family): a
// swaybg of ours shows the bitmap on every output. Each call starts a new one, detached from
// this process so that it outlives it, and then ends the one started before, found by the
// process id (and start time, against a reused id) recorded in a file, never by its name.
// Throws a Failure when swaybg cannot be started.
class SwaybgApplier : public DesktopApplier {
public:
    // recordPath: where the running swaybg is recorded; program: the swaybg to start.
    explicit SwaybgApplier(std::string recordPath = defaultRecordPath(),
                           std::string program = "swaybg")
        : recordPath_(std::move(recordPath)), program_(std::move(program)) {}
    void apply(const std::string& bitmapPath, WallpaperStyle style) override;

    // $XDG_RUNTIME_DIR/zolvera-swaybg.pid (gone with the session, like the process), else
    // swaybg.pid beside the wallpaper links.
    static std::string defaultRecordPath();

private:
    std::string recordPath_;
    std::string program_;
};

} // namespace zolvera::desktop
