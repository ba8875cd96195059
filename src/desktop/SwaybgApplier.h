#pragma once

#include "desktop/DesktopApplier.h"

#include <string>

namespace zolvera::desktop {

// The wallpaper of a Wayland compositor that draws none of its own (the wlroots family): a
// swaybg of ours shows the bitmap on every output. Each call starts a new one, detached from
// this process so that it outlives it, and then ends the one started before, found by the
// process id (and start time, against a reused id) recorded in a file, never by its name. The
// record is read only when it is a regular file of the user's (never through a link), and the
// process it names is ended only when it is the user's own run of that program.
// Throws a Failure when swaybg cannot be started.
class SwaybgApplier : public DesktopApplier {
public:
    // recordPath: where the running swaybg is recorded; program: the swaybg to start.
    explicit SwaybgApplier(std::string recordPath = defaultRecordPath(),
                           std::string program = "swaybg")
        : recordPath_(std::move(recordPath)), program_(std::move(program)) {}
    void apply(const std::string& bitmapPath, WallpaperStyle style) override;

    // zolvera-swaybg.pid in the user's private runtime folder (gone with the session, like the
    // process), else swaybg.pid beside the wallpaper links.
    static std::string defaultRecordPath();

private:
    std::string recordPath_;
    std::string program_;
};

} // namespace zolvera::desktop
