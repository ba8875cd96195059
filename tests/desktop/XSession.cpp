#include "XSession.h"

#include "ChildProcess.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace zolvera::test {

namespace {

namespace fs = std::filesystem;

constexpr int kStartLimitMs = 10000;

// The children of this process but the one given, from /proc.
std::vector<pid_t> childrenBut(pid_t kept) {
    std::vector<pid_t> found;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::string stat;
        std::getline(std::ifstream(entry.path() / "stat"), stat);
        const auto nameEnd = stat.rfind(')');
        if (nameEnd == std::string::npos)
            continue;
        std::istringstream fields(stat.substr(nameEnd + 2));
        std::string state;
        pid_t parent = 0;
        fields >> state >> parent;
        const pid_t pid = std::stoi(name);
        if (parent == getpid() && pid != kept)
            found.push_back(pid);
    }
    return found;
}

bool awaitFile(const std::string& path) {
    for (int waited = 0; waited < kStartLimitMs; waited += 20) {
        if (fs::exists(path))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

} // namespace

XSession::XSession(Monitors monitors) {
    // What the session's programs leave running is re-parented to this process, so that it
    // can be ended by its id.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    server_ = monitors == Monitors::Two ? XServer::twoMonitors(dir_ / "xorg")
                                        : std::make_unique<XServer>(XServer::xvfb("320x240x24"));
    if (!server_->running()) {
        failure_ = monitors == Monitors::Two
                       ? "Xorg with the dummy driver did not start (it needs "
                         "xserver-xorg-video-dummy, and root to read a configuration of its own)"
                       : "Xvfb is not available";
        return;
    }
    screen_.emplace(server_->display()); // also keeps the server from resetting
    const std::string home = dir_ / "home";
    const std::string runtime = dir_ / "runtime";
    fs::create_directories(home);
    fs::create_directory(runtime);
    chmod(runtime.c_str(), 0700);
    set("HOME", home);
    set("XDG_CONFIG_HOME", home + "/.config");
    set("XDG_CACHE_HOME", home + "/.cache d'Éva 100%");
    set("XDG_DATA_HOME", home + "/.local/share");
    set("XDG_RUNTIME_DIR", runtime);
    set("DISPLAY", server_->display());
    set("LC_ALL", "C");
    set("QT_QPA_PLATFORM", "xcb"); // the test's own is offscreen
    set("NO_AT_BRIDGE", "1");      // no accessibility bus to wait for
    for (const char* name : {"WAYLAND_DISPLAY", "SWAYSOCK", "SESSION_MANAGER",
                             "DBUS_SESSION_BUS_ADDRESS", "XDG_CURRENT_DESKTOP"})
        set(name, std::nullopt);
    const std::string socket = runtime + "/bus";
    bus_ = startLogged({"dbus-daemon", "--session", "--nofork", "--address=unix:path=" + socket},
                       dir_ / "bus.log");
    if (bus_ < 0 || !awaitFile(socket)) {
        failure_ = "dbus-daemon did not start";
        return;
    }
    set("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + socket);
}

XSession::~XSession() {
    for (auto pid = started_.rbegin(); pid != started_.rend(); ++pid)
        endChild(*pid);
    endChild(bus_);
    endAdopted();
    prctl(PR_SET_CHILD_SUBREAPER, 0);
}

void XSession::endAdopted() {
    // Ending one may leave its own children to this process: until none is left.
    for (int round = 0; round < 5; ++round) {
        const auto adopted = childrenBut(server_ ? server_->pid() : -1);
        if (adopted.empty())
            return;
        for (const pid_t pid : adopted)
            endChild(pid);
    }
}

void XSession::set(const std::string& name, const std::optional<std::string>& value) {
    environment_.push_back(std::make_unique<ScopedEnv>(name, value));
}

bool XSession::start(const std::vector<std::string>& command, const std::string& name) {
    const pid_t pid = startLogged(command, dir_ / (name + ".log"));
    if (pid > 0)
        started_.push_back(pid);
    return pid > 0;
}

std::string XSession::log(const std::string& name) const {
    return readFile(dir_ / (name + ".log"));
}

std::string XSession::awaitColours(const std::vector<std::pair<int, int>>& points,
                                   const std::string& expected, int limitMs) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    std::string seen = screen_->colours(points);
    while (seen != expected && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        seen = screen_->colours(points);
    }
    return seen;
}

} // namespace zolvera::test
