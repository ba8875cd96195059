#pragma once

#include "desktop/DesktopApplier.h"

namespace zolvera::desktop {

// The wallpaper of a plain X11 session: the whole picture on each monitor (see x11Monitors),
// stretched over it or centred on black, drawn into a pixmap of the screen's size that becomes
// the root window's background. The pixmap is announced in _XROOTPMAP_ID and ESETROOT_PMAP_ID
// (read by programs with transparent backgrounds) and kept by the server after we disconnect;
// the pixmap an earlier setter left behind is freed. Uses the display named by DISPLAY; throws a
// Failure when it cannot be opened.
class X11Applier : public DesktopApplier {
public:
    void apply(const std::string& bitmapPath, WallpaperStyle style) override;
};

} // namespace zolvera::desktop
