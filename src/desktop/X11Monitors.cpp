#include "desktop/X11Monitors.h"

// Xlib last: its macros clash with names in Qt's headers.
#include <X11/Xlib.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>

namespace zolvera::desktop {

namespace {

std::vector<QRect> randrMonitors(Display* display, Window root) {
    std::vector<QRect> found;
    int count = 0;
    XRRMonitorInfo* monitors = XRRGetMonitors(display, root, True, &count);
    for (int i = 0; i < count; ++i)
        found.emplace_back(monitors[i].x, monitors[i].y, monitors[i].width, monitors[i].height);
    if (monitors != nullptr)
        XRRFreeMonitors(monitors);
    return found;
}

std::vector<QRect> randrCrtcs(Display* display, Window root) {
    std::vector<QRect> found;
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    if (resources == nullptr)
        return found;
    for (int i = 0; i < resources->ncrtc; ++i) {
        XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, resources->crtcs[i]);
        if (crtc == nullptr)
            continue;
        if (crtc->mode != 0 && crtc->noutput > 0) // a CRTC without a mode is switched off
            found.emplace_back(crtc->x, crtc->y, static_cast<int>(crtc->width),
                               static_cast<int>(crtc->height));
        XRRFreeCrtcInfo(crtc);
    }
    XRRFreeScreenResources(resources);
    return found;
}

std::vector<QRect> xineramaScreens(Display* display) {
    std::vector<QRect> found;
    int eventBase = 0;
    int errorBase = 0;
    if (!XineramaQueryExtension(display, &eventBase, &errorBase) || !XineramaIsActive(display))
        return found;
    int count = 0;
    XineramaScreenInfo* screens = XineramaQueryScreens(display, &count);
    for (int i = 0; i < count; ++i)
        found.emplace_back(screens[i].x_org, screens[i].y_org, screens[i].width, screens[i].height);
    if (screens != nullptr)
        XFree(screens);
    return found;
}

// The server's RandR version as major * 100 + minor; 0 without RandR.
int randrVersion(Display* display) {
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (XRRQueryExtension(display, &eventBase, &errorBase) &&
        XRRQueryVersion(display, &major, &minor))
        return major * 100 + minor;
    return 0;
}

std::vector<QRect> reportedMonitors(Display* display, Window root) {
    const int version = randrVersion(display);
    if (version >= 105)
        if (auto monitors = randrMonitors(display, root); !monitors.empty())
            return monitors;
    if (version >= 102)
        if (auto crtcs = randrCrtcs(display, root); !crtcs.empty())
            return crtcs;
    return xineramaScreens(display);
}

} // namespace

std::vector<QRect> x11Monitors(_XDisplay* display, unsigned long root, int screenWidth,
                               int screenHeight) {
    const QRect screen(0, 0, screenWidth, screenHeight);
    std::vector<QRect> monitors;
    for (const QRect& monitor : reportedMonitors(display, root)) {
        const QRect shown = monitor.intersected(screen);
        // Mirrored outputs report the same rectangle.
        if (!shown.isEmpty() && std::ranges::find(monitors, shown) == monitors.end())
            monitors.push_back(shown);
    }
    if (monitors.empty())
        monitors.push_back(screen);
    return monitors;
}

std::vector<std::string> x11MonitorOutputNames() {
    std::vector<std::string> names;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return names;
    const Window root = DefaultRootWindow(display);
    int count = 0;
    XRRMonitorInfo* monitors =
        randrVersion(display) >= 105 ? XRRGetMonitors(display, root, True, &count) : nullptr;
    XRRScreenResources* resources =
        monitors != nullptr ? XRRGetScreenResourcesCurrent(display, root) : nullptr;
    for (int i = 0; resources != nullptr && i < count; ++i) {
        if (monitors[i].noutput < 1)
            continue;
        if (XRROutputInfo* output = XRRGetOutputInfo(display, resources, monitors[i].outputs[0])) {
            names.emplace_back(output->name, static_cast<std::size_t>(output->nameLen));
            XRRFreeOutputInfo(output);
        }
    }
    if (resources != nullptr)
        XRRFreeScreenResources(resources);
    if (monitors != nullptr)
        XRRFreeMonitors(monitors);
    XCloseDisplay(display);
    return names;
}

} // namespace zolvera::desktop
