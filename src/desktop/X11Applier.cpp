#include "desktop/X11Applier.h"

#include "desktop/X11Monitors.h"
#include "platform/Failure.h"
#include "platform/Translate.h"

#include <QImage>
#include <QPainter>
#include <QString>

// Xlib last: its macros (None, Bool, Status ...) clash with names in the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>
#include <cstdlib>
#include <memory>
#include <vector>

namespace zolvera::desktop {

namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// Errors from freeing an old pixmap whose owner is gone are expected; Xlib's default handler
// would end the program.
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

// The whole picture on every monitor, stretched over it or centred on black; what no monitor
// shows stays black.
QImage composeScreen(const QImage& picture, int width, int height,
                     const std::vector<QRect>& monitors, WallpaperStyle style) {
    QImage screen(width, height, QImage::Format_RGB32);
    screen.fill(Qt::black);
    QPainter painter(&screen);
    for (const QRect& monitor : monitors) {
        painter.setClipRect(monitor);
        if (style == WallpaperStyle::Stretch)
            painter.drawImage(
                monitor.topLeft(),
                picture.scaled(monitor.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        else
            painter.drawImage(monitor.x() + (monitor.width() - picture.width()) / 2,
                              monitor.y() + (monitor.height() - picture.height()) / 2, picture);
    }
    return screen;
}

// A channel value (0..255) placed into a TrueColor pixel under its mask.
unsigned long channel(unsigned value, unsigned long mask) {
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const unsigned long maximum = mask >> shift;
    return ((value * maximum + 127) / 255) << shift;
}

// Copies the screen picture into a pixmap; false for visuals other than TrueColor.
bool drawInto(Display* display, Pixmap pixmap, Visual* visual, int depth, QImage& screen) {
    if (visual->c_class != TrueColor)
        return false;
    const int width = screen.width();
    const int height = screen.height();
    XImage* image =
        XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                     static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
    if (image == nullptr)
        return false;
    // QImage's RGB32 is 0xffRRGGBB words; the common 24/32-bit visual takes them unchanged.
    const bool sameLayout =
        image->bits_per_pixel == 32 && visual->red_mask == 0xFF0000 &&
        visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF &&
        image->byte_order == (std::endian::native == std::endian::little ? LSBFirst : MSBFirst);
    std::unique_ptr<char[]> converted;
    if (sameLayout) {
        image->data = reinterpret_cast<char*>(screen.bits());
        image->bytes_per_line = static_cast<int>(screen.bytesPerLine());
    } else {
        converted.reset(new char[static_cast<std::size_t>(image->bytes_per_line) * height]);
        image->data = converted.get();
        for (int y = 0; y < height; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(screen.constScanLine(y));
            for (int x = 0; x < width; ++x)
                XPutPixel(image, x, y,
                          channel(qRed(row[x]), visual->red_mask) |
                              channel(qGreen(row[x]), visual->green_mask) |
                              channel(qBlue(row[x]), visual->blue_mask));
        }
    }
    GC gc = XCreateGC(display, pixmap, 0, nullptr);
    XPutImage(display, pixmap, gc, image, 0, 0, 0, 0, static_cast<unsigned>(width),
              static_cast<unsigned>(height));
    XFreeGC(display, gc);
    image->data = nullptr; // the pixels belong to screen or converted
    XDestroyImage(image);
    return true;
}

// The pixmap id held in a root window property, or 0.
Pixmap pixmapProperty(Display* display, Window root, Atom property) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    Pixmap id = 0;
    if (XGetWindowProperty(display, root, property, 0, 1, False, AnyPropertyType, &type, &format,
                           &count, &after, &data) == Success &&
        type == XA_PIXMAP && format == 32 && count == 1)
        id = *reinterpret_cast<Pixmap*>(data);
    if (data != nullptr)
        XFree(data);
    return id;
}

// The usual convention: when both properties name the same pixmap, it was left by a setter
// that kept it alive after disconnecting, and killing that "client" frees it.
void freePreviousPixmap(Display* display, Window root, Atom rootPixmap, Atom setRootPixmap) {
    const Pixmap previous = pixmapProperty(display, root, setRootPixmap);
    if (previous != 0 && previous == pixmapProperty(display, root, rootPixmap))
        XKillClient(display, previous);
}

} // namespace

void X11Applier::apply(const std::string& bitmapPath, WallpaperStyle style) {
    const QImage picture(QString::fromStdString(bitmapPath));
    if (picture.isNull())
        throw Failure(platform::substitute(
            platform::translate("Desktop",
                                "A háttérkép nem állítható be, mert a képe nem olvasható: %1"),
            {bitmapPath}));
    const DisplayPtr owner(XOpenDisplay(nullptr));
    Display* display = owner.get();
    if (display == nullptr) {
        const char* name = std::getenv("DISPLAY");
        throw Failure(platform::substitute(
            platform::translate("Desktop",
                                "A háttérkép nem állítható be, mert nem érhető el a(z) %1 "
                                "X-kijelző."),
            {name ? name : ""}));
    }
    const int screenNumber = DefaultScreen(display);
    const Window root = RootWindow(display, screenNumber);
    const int width = DisplayWidth(display, screenNumber);
    const int height = DisplayHeight(display, screenNumber);
    const int depth = DefaultDepth(display, screenNumber);
    QImage screen =
        composeScreen(picture, width, height, x11Monitors(display, root, width, height), style);

    const Pixmap pixmap =
        XCreatePixmap(display, root, static_cast<unsigned>(width), static_cast<unsigned>(height),
                      static_cast<unsigned>(depth));
    if (!drawInto(display, pixmap, DefaultVisual(display, screenNumber), depth, screen)) {
        XFreePixmap(display, pixmap);
        throw Failure(platform::translate(
            "Desktop", "A háttérkép nem állítható be: a kijelző színmélysége nem támogatott."));
    }
    const Atom rootPixmap = XInternAtom(display, "_XROOTPMAP_ID", False);
    const Atom setRootPixmap = XInternAtom(display, "ESETROOT_PMAP_ID", False);
    const auto previousHandler = XSetErrorHandler(ignoreErrors);
    freePreviousPixmap(display, root, rootPixmap, setRootPixmap);
    XSync(display, False);
    XSetErrorHandler(previousHandler);

    for (const Atom property : {rootPixmap, setRootPixmap})
        XChangeProperty(display, root, property, XA_PIXMAP, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&pixmap), 1);
    XSetWindowBackgroundPixmap(display, root, pixmap);
    XClearWindow(display, root);
    XSetCloseDownMode(display, RetainPermanent);
    XSync(display, False);
}

} // namespace zolvera::desktop
