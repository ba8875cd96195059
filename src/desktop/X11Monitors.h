#pragma once

#include <QRect>

#include <vector>

struct _XDisplay; // Xlib's Display, declared so that its macros stay out of this header

namespace zolvera::desktop {

// The monitors that show parts of the root window, as rectangles of the screen: RandR 1.5's
// monitors, else the active CRTCs of RandR 1.2, else Xinerama's screens, else the whole root
// window. Each is cut to the screen; none is left out twice.
std::vector<QRect> x11Monitors(_XDisplay* display, unsigned long root, int screenWidth,
                               int screenHeight);

} // namespace zolvera::desktop
