#include "desktop/X11Applier.h"
#include "picture/Picture.h"

#include "ScopedEnv.h"
#include "Xvfb.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

// Xlib last: its macros clash with names in the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>

namespace zolvera::desktop {
namespace {

// An 80 x 60 picture, red on the left half and blue on the right.
picture::Bitmap halvesPicture() {
    picture::Bitmap bitmap{80, 60, 24, {}, {}};
    for (int i = 0; i < 80 * 60; ++i) {
        const bool left = i % 80 < 40;
        bitmap.pixels.insert(bitmap.pixels.end(),
                             {std::uint8_t(left ? 255 : 0), 0, std::uint8_t(left ? 0 : 255)});
    }
    return bitmap;
}

int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

// What the root window of a display shows, read back from the server.
class ScreenReader {
public:
    explicit ScreenReader(const std::string& name) : display_(XOpenDisplay(name.c_str())) {}
    ~ScreenReader() { XCloseDisplay(display_); }

    // 'r' red, 'b' blue, 'k' black, '?' anything else.
    char colourAt(int x, int y) const {
        XImage* image =
            XGetImage(display_, DefaultRootWindow(display_), x, y, 1, 1, AllPlanes, ZPixmap);
        const unsigned long pixel = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        const Visual* visual = DefaultVisual(display_, DefaultScreen(display_));
        const auto level = [pixel](unsigned long mask) { // 0..100
            return ((pixel & mask) >> std::countr_zero(mask)) * 100 /
                   (mask >> std::countr_zero(mask));
        };
        const auto r = level(visual->red_mask), g = level(visual->green_mask),
                   b = level(visual->blue_mask);
        if (r > 90 && g < 10 && b < 10)
            return 'r';
        if (b > 90 && r < 10 && g < 10)
            return 'b';
        return r + g + b < 10 ? 'k' : '?';
    }

    Pixmap property(const char* name) const {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(display_, DefaultRootWindow(display_),
                           XInternAtom(display_, name, False), 0, 1, False, XA_PIXMAP, &type,
                           &format, &count, &after, &data);
        const Pixmap id = count == 1 ? *reinterpret_cast<Pixmap*>(data) : 0;
        XFree(data);
        return id;
    }

    bool pixmapExists(Pixmap pixmap) const {
        const auto previous = XSetErrorHandler(ignoreErrors);
        Window root = 0;
        int x = 0, y = 0;
        unsigned width = 0, height = 0, border = 0, depth = 0;
        const Status found =
            XGetGeometry(display_, pixmap, &root, &x, &y, &width, &height, &border, &depth);
        XSetErrorHandler(previous);
        return found != 0;
    }

private:
    Display* display_;
};

class X11ApplierTest : public ::testing::TestWithParam<const char*> {};

// The colour path differs with the screen depth: 24 bits take the pixels as they are.
TEST_P(X11ApplierTest, RootWindowShowsThePictureStretchedOrCentred) {
    test::Xvfb server(GetParam()); // 320 x 240
    if (!server.running())
        GTEST_SKIP() << "Xvfb is not available";
    test::TempDir dir;
    test::ScopedEnv display("DISPLAY", server.display());
    const auto bitmap = dir / "Zolvera.bmp";
    picture::writeBmp(halvesPicture(), bitmap);
    X11Applier().apply(bitmap, WallpaperStyle::Stretch);
    const ScreenReader root(server.display());
    std::string seen;
    for (const auto& [x, y] : {std::pair{2, 2}, {100, 120}, {220, 120}, {317, 237}})
        seen.push_back(root.colourAt(x, y));
    EXPECT_EQ(seen, "rrbb");
    const Pixmap stretched = root.property("_XROOTPMAP_ID");
    EXPECT_NE(stretched, 0u);
    EXPECT_EQ(root.property("ESETROOT_PMAP_ID"), stretched);

    // Centred on black: the picture covers 120..199 x 90..149. The earlier pixmap is freed.
    X11Applier().apply(bitmap, WallpaperStyle::Centre);
    seen.clear();
    for (const auto& [x, y] :
         {std::pair{2, 2}, {160, 80}, {110, 120}, {125, 95}, {195, 145}, {210, 120}})
        seen.push_back(root.colourAt(x, y));
    EXPECT_EQ(seen, "kkkrbk");
    const Pixmap centred = root.property("_XROOTPMAP_ID");
    EXPECT_EQ(root.property("ESETROOT_PMAP_ID"), centred);
    EXPECT_TRUE(root.pixmapExists(centred));
    EXPECT_FALSE(root.pixmapExists(stretched));
}

INSTANTIATE_TEST_SUITE_P(Depths, X11ApplierTest, ::testing::Values("320x240x24", "320x240x16"));

} // namespace
} // namespace zolvera::desktop
