#pragma once

#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

struct _XDisplay; // Xlib's Display, declared so that its macros stay out of this header

namespace zolvera::test {

// An X server of its own for one test, on a display number the server picks itself (so
// parallel test runs never meet). Stopped when the object goes away.
class XServer {
public:
    // command: the server and its arguments, to which -displayfd is added.
    explicit XServer(std::vector<std::string> command);
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // A virtual one; screen: Xvfb's "WxHxD", e.g. "320x240x24".
    static std::vector<std::string> xvfb(const std::string& screen) {
        return {"Xvfb", "-screen", "0", screen, "-nolisten", "tcp", "-nocursor", "-noreset"};
    }
    // Two 800 x 600 monitors side by side, DUMMY0 and DUMMY1, on Xorg's dummy driver, its
    // configuration and log in the folder. Not running when Xorg could not start it (it needs
    // xserver-xorg-video-dummy, and root to read a configuration of its own).
    static std::unique_ptr<XServer> twoMonitors(const std::string& folder);

    // False when the server is not installed or did not come up.
    bool running() const { return !display_.empty(); }
    // ":<n>"
    const std::string& display() const { return display_; }
    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

// A client of a display: reads back what its root window shows and sets root properties.
class ScreenReader {
public:
    explicit ScreenReader(const std::string& display);
    ~ScreenReader();
    ScreenReader(const ScreenReader&) = delete;
    ScreenReader& operator=(const ScreenReader&) = delete;

    // The colour shown at a point of the screen, as colourOf() names it.
    char colourAt(int x, int y) const;
    // The colours at the points, one letter each.
    std::string colours(const std::vector<std::pair<int, int>>& points) const;
    // The pixmap a root window property names; 0 when none.
    unsigned long pixmapProperty(const char* name) const;
    bool pixmapExists(unsigned long pixmap) const;
    // Sets a CARDINAL property of the root window.
    void setCardinal(const char* name, long value) const;

private:
    _XDisplay* display_;
};

} // namespace zolvera::test
