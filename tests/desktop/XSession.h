#pragma once

#include "ScopedEnv.h"
#include "XServer.h"
#include "support/TempDir.h"

#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace zolvera::test {

// A desktop session of its own for one test, set up as a login sets one up, for an account
// that has never logged in: an X server, a home, config, cache and data folder of their own
// (the cache folder's name holds a blank, an accent, a quote and a '%'), a private runtime
// folder and a session bus, all named in this process's environment (with the C locale) so
// that what the test runs joins the session. Programs started in it write their output to files
// in the session's folder. When the object goes away it ends, by process id, what it started,
// then what those left running (D-Bus-activated services, daemons that detached: the test
// adopts them), then the bus and the X server.
class XSession {
public:
    // One 320 x 240 monitor (Xvfb), or two 800 x 600 ones side by side (Xorg's dummy driver).
    enum class Monitors { One, Two };
    explicit XSession(Monitors monitors);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Empty when the session runs; else why it could not be started.
    const std::string& failure() const { return failure_; }
    const ScreenReader& screen() const { return *screen_; }

    // Starts a program of the session, its output in <name>.log; false when it could not be
    // started.
    bool start(const std::vector<std::string>& command, const std::string& name);
    // What a started program wrote so far, for a failure's message.
    std::string log(const std::string& name) const;

    // The colours at the points once they are the expected ones, or as they are after the time
    // limit: a desktop draws in its own time (and fades), and nothing tells when it has.
    std::string awaitColours(const std::vector<std::pair<int, int>>& points,
                             const std::string& expected, int limitMs = 20000) const;

private:
    void set(const std::string& name, const std::optional<std::string>& value);
    void endAdopted();

    TempDir dir_;
    std::unique_ptr<XServer> server_;
    std::optional<ScreenReader> screen_;
    std::vector<std::unique_ptr<ScopedEnv>> environment_;
    pid_t bus_ = -1;
    std::vector<pid_t> started_;
    std::string failure_;
};

} // namespace zolvera::test
