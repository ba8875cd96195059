#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace zolvera::desktop {

enum class WallpaperStyle { Centre, Stretch };

// Stands in for SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, path, SPIF_UPDATEINIFILE |
// SPIF_SENDWININICHANGE): makes a bitmap file the wallpaper of the running session at once,
// stretched or centred, on every monitor, and keeps it so. Every call shows the bitmap's content
// as it is now, also when its path is the one given last time. Throws a Failure of one Hungarian
// line saying what was missing when the desktop could not be given the picture (no display, no
// running service, a helper program not installed); returning means it was.
class DesktopApplier {
public:
    virtual ~DesktopApplier() = default;
    virtual void apply(const std::string& bitmapPath, WallpaperStyle style) = 0;
};

// The kinds of session whose wallpaper we know how to set. Wayland is any other Wayland
// compositor (the wlroots family: labwc, river, Wayfire, Hyprland ...).
enum class DesktopSession { None, Gnome, Cinnamon, Mate, Plasma, Xfce, Sway, Wayland, X11 };

// What the session's environment says about it.
struct SessionEnvironment {
    std::string_view currentDesktop; // XDG_CURRENT_DESKTOP
    std::string_view sessionName;    // DESKTOP_SESSION
    bool swaySocket = false;         // SWAYSOCK is set
    bool wayland = false;            // WAYLAND_DISPLAY is set
    bool display = false;            // DISPLAY is set
};

// The session from XDG_CURRENT_DESKTOP (a colon-separated list; the first known entry wins),
// else sway when its socket is named, else from DESKTOP_SESSION, else Wayland when a Wayland
// display is named, else X11 when an X display is, else None.
DesktopSession detectDesktopSession(const SessionEnvironment& environment);
// The same from this process's environment.
DesktopSession detectDesktopSession();

// The applier for a session; None gives one that always fails.
std::unique_ptr<DesktopApplier> makeDesktopApplier(DesktopSession session);

} // namespace zolvera::desktop
