#pragma once

#include <string>
#include <sys/types.h>

namespace zolvera::test {

// A virtual X server of its own for one test, on a display number the server picks itself
// (so parallel test runs never meet). Stopped when the object goes away.
class Xvfb {
public:
    // screen: Xvfb's "WxHxD", e.g. "320x240x24".
    explicit Xvfb(const std::string& screen);
    ~Xvfb();
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;

    // False when Xvfb is not installed or did not come up.
    bool running() const { return !display_.empty(); }
    // ":<n>"
    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

} // namespace zolvera::test
