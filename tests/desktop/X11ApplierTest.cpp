#include "desktop/X11Applier.h"
#include "picture/Picture.h"

#include "ScopedEnv.h"
#include "XServer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

// Xlib last: its macros clash with names in the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>
#include <cstdlib>
#include <filesystem>

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
    test::XServer server(test::XServer::xvfb(GetParam())); // 320 x 240
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

// The dummy driver's screen, 1600 x 600, to be shown by two of its outputs.
constexpr char kDummyConfig[] = R"(Section "ServerFlags"
    Option "AutoAddDevices" "false"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 16384
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
    Modeline "800x600" 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "800x600"
        Virtual 1600 600
    EndSubSection
EndSection
)";

// Two monitors side by side on Xorg's dummy driver, as RandR reports them: each shows the
// whole picture, not half of one spread over both.
TEST(X11ApplierMonitors, EveryMonitorShowsTheWholePicture) {
    test::TempDir dir;
    test::writeFile(dir / "xorg.conf", kDummyConfig);
    std::filesystem::create_directory(dir / "conf.d");
    test::XServer server({"Xorg", "-config", dir / "xorg.conf", "-configdir", dir / "conf.d",
                          "-logfile", dir / "Xorg.log", "-noreset", "-nolisten", "tcp"});
    if (!server.running())
        GTEST_SKIP() << "Xorg with the dummy driver did not start (it needs "
                        "xserver-xorg-video-dummy, and root to read a configuration of its own)";
    // The dummy driver offers its mode on the first output only.
    const std::string xrandr = "LC_ALL=C DISPLAY=" + server.display() + " xrandr";
    ASSERT_EQ(std::system((xrandr + " --addmode DUMMY1 800x600 && " + xrandr +
                           " --output DUMMY0 --mode 800x600 --pos 0x0 --output DUMMY1 --mode "
                           "800x600 --pos 800x0")
                              .c_str()),
              0);
    test::ScopedEnv display("DISPLAY", server.display());
    const auto bitmap = dir / "Zolvera.bmp";
    picture::writeBmp(halvesPicture(), bitmap);
    const ScreenReader root(server.display());
    const auto row = [&root](std::initializer_list<int> xs) {
        std::string seen;
        for (const int x : xs)
            seen.push_back(root.colourAt(x, 300));
        return seen;
    };
    X11Applier().apply(bitmap, WallpaperStyle::Stretch);
    EXPECT_EQ(row({10, 390, 410, 790, 810, 1190, 1210, 1590}), "rrbbrrbb");
    // Centred: the 80 x 60 picture covers 360..439 of the first monitor, 1160..1239 of the second.
    X11Applier().apply(bitmap, WallpaperStyle::Centre);
    EXPECT_EQ(row({10, 370, 430, 790, 810, 1170, 1230, 1590}), "krbkkrbk");
}

} // namespace
} // namespace zolvera::desktop
