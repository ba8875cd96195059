#pragma once

#include <QRect>

#include <string>
#include <vector>

struct _XDisplay; // Xlib's Display, declared so that its macros stay out of this header

namespace zolvera::desktop {

// The monitors that show parts of the root window, as rectangles of the screen: RandR 1.5's
// monitors, else the active CRTCs of RandR 1.2, else Xinerama's screens, else the whole root
// window. Each is cut to the screen; none is left out twice.
std::vector<QRect> x11Monitors(_XDisplay* display, unsigned long root, int screenWidth,
                               int screenHeight);

// The RandR name of the output each monitor of the display named by DISPLAY shows (the first
// one, for mirrored outputs), as GTK reports it to the desktops built on it; empty when there is
// no display or no RandR 1.5.
std::vector<std::string> x11MonitorOutputNames();

} // namespace zolvera::desktop
