#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

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
        return {"Xvfb", "-screen", "0", screen, "-nolisten", "tcp", "-nocursor"};
    }

    // False when the server is not installed or did not come up.
    bool running() const { return !display_.empty(); }
    // ":<n>"
    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

} // namespace zolvera::test
