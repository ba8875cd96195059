#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace zolvera::desktop {

enum class WallpaperStyle { Centre, Stretch };

// Stands in for SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, path, SPIF_UPDATEINIFILE |
// SPIF_SENDWININICHANGE): makes a bitmap file the wallpaper of the running session at once,
// stretched or centred, and keeps it so. Every call shows the bitmap's content as it is now,
// also when its path is the one given last time. Failures are not reported; the caller ignores
// them anyway.
class DesktopApplier {
public:
    virtual ~DesktopApplier() = default;
    virtual void apply(const std::string& bitmapPath, WallpaperStyle style) = 0;
};

// The kinds of session whose wallpaper we know how to set.
enum class DesktopSession { None, Gnome, Cinnamon, Mate, Plasma, Xfce, X11 };

// The session from XDG_CURRENT_DESKTOP (a colon-separated list; the first known entry wins),
// else from DESKTOP_SESSION, else X11 when a display is named, else None.
DesktopSession detectDesktopSession(std::string_view currentDesktop, std::string_view sessionName,
                                    bool hasDisplay);
// The same from this process's environment.
DesktopSession detectDesktopSession();

// The applier for a session; None gives one that does nothing.
std::unique_ptr<DesktopApplier> makeDesktopApplier(DesktopSession session);

} // namespace zolvera::desktop
