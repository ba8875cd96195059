#include "XServer.h"

#include "TestPictures.h"
#include "support/TempDir.h"

#include <bit>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

// Xlib last: its macros clash with names in the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

extern char** environ;

namespace zolvera::test {

namespace {

constexpr int kDisplayFd = 3;
constexpr int kStartLimitMs = 10000;

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

int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

} // namespace

XServer::XServer(std::vector<std::string> args) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return;
    // The server writes the display number it chose to -displayfd once it accepts connections.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], kDisplayFd);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    args.insert(args.end(), {"-displayfd", std::to_string(kDisplayFd)});
    std::vector<char*> argv;
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const bool spawned =
        posix_spawnp(&pid_, args.front().c_str(), &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(ends[1]);
    if (!spawned) {
        pid_ = -1;
        close(ends[0]);
        return;
    }
    std::string number;
    pollfd wait{ends[0], POLLIN, 0};
    char c = 0;
    while (poll(&wait, 1, kStartLimitMs) == 1 && read(ends[0], &c, 1) == 1 && c != '\n')
        number.push_back(c);
    close(ends[0]);
    if (c == '\n' && !number.empty())
        display_ = ":" + number;
}

std::unique_ptr<XServer> XServer::twoMonitors(const std::string& folder) {
    writeFile(folder + "/xorg.conf", kDummyConfig);
    writeFile(folder + "/conf.d/.keep", "");
    auto server = std::make_unique<XServer>(std::vector<std::string>{
        "Xorg", "-config", folder + "/xorg.conf", "-configdir", folder + "/conf.d", "-logfile",
        folder + "/Xorg.log", "-noreset", "-nolisten", "tcp"});
    // The dummy driver offers its mode on the first output only. Until the monitors are listed
    // once, a GTK program that starts (xfdesktop) covers the first one only.
    const std::string xrandr = "LC_ALL=C DISPLAY=" + server->display() + " xrandr";
    if (server->running() &&
        std::system((xrandr + " --addmode DUMMY1 800x600 && " + xrandr +
                     " --output DUMMY0 --mode 800x600 --pos 0x0 --output DUMMY1 --mode 800x600 "
                     "--pos 800x0 && " +
                     xrandr + " --listmonitors >/dev/null")
                        .c_str()) != 0)
        server->display_.clear();
    return server;
}

XServer::~XServer() {
    if (pid_ <= 0)
        return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
}

ScreenReader::ScreenReader(const std::string& display) : display_(XOpenDisplay(display.c_str())) {}

ScreenReader::~ScreenReader() {
    if (display_ != nullptr)
        XCloseDisplay(display_);
}

char ScreenReader::colourAt(int x, int y) const {
    XImage* image =
        XGetImage(display_, DefaultRootWindow(display_), x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr)
        return '?';
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    const Visual* visual = DefaultVisual(display_, DefaultScreen(display_));
    const auto level = [pixel](unsigned long mask) { // 0..255
        return static_cast<int>(((pixel & mask) >> std::countr_zero(mask)) * 255 /
                                (mask >> std::countr_zero(mask)));
    };
    return colourOf(
        qRgb(level(visual->red_mask), level(visual->green_mask), level(visual->blue_mask)));
}

std::string ScreenReader::colours(const std::vector<std::pair<int, int>>& points) const {
    std::string seen;
    for (const auto& [x, y] : points)
        seen.push_back(colourAt(x, y));
    return seen;
}

unsigned long ScreenReader::pixmapProperty(const char* name) const {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display_, DefaultRootWindow(display_), XInternAtom(display_, name, False), 0,
                       1, False, XA_PIXMAP, &type, &format, &count, &after, &data);
    const Pixmap id = count == 1 ? *reinterpret_cast<Pixmap*>(data) : 0;
    XFree(data);
    return id;
}

bool ScreenReader::pixmapExists(unsigned long pixmap) const {
    const auto previous = XSetErrorHandler(ignoreErrors);
    Window root = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    const Status found =
        XGetGeometry(display_, pixmap, &root, &x, &y, &width, &height, &border, &depth);
    XSetErrorHandler(previous);
    return found != 0;
}

void ScreenReader::setCardinal(const char* name, long value) const {
    XChangeProperty(display_, DefaultRootWindow(display_), XInternAtom(display_, name, False),
                    XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&value), 1);
    XSync(display_, False);
}

} // namespace zolvera::test
