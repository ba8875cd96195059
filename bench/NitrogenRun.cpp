#include "NitrogenRun.h"

#include "BenchTools.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

namespace zolvera::bench {

namespace {

constexpr auto kPoll = std::chrono::milliseconds(100);
constexpr int kIdlePolls = 10;   // a second without processor time counts as idle
constexpr int kMostPolls = 1200; // two minutes
constexpr int kDisplayDigits = 16;

bool onPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path != nullptr ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':'))
        if (!folder.empty() && ::access((folder + "/" + name).c_str(), X_OK) == 0)
            return true;
    return false;
}

std::string temporaryFolder() {
    std::string folder = (std::filesystem::temp_directory_path() / "zolvera-nitrogen-XXXXXX");
    if (::mkdtemp(folder.data()) == nullptr)
        throw std::runtime_error("no temporary folder for nitrogen");
    return folder;
}

// Starts a program with its output thrown away; the environment is changed in the child only.
pid_t start(std::vector<std::string> args,
            const std::vector<std::pair<std::string, std::string>>& environment, int keepFd = -1) {
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    for (const auto& [name, value] : environment)
        ::setenv(name.c_str(), value.c_str(), 1);
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, STDOUT_FILENO);
    ::dup2(null, STDERR_FILENO);
    if (keepFd >= 0)
        ::fcntl(keepFd, F_SETFD, 0);
    execute(std::move(args));
}

// A virtual X server for the runs, on the display number it picks itself.
class VirtualDisplay {
public:
    VirtualDisplay() {
        int pipe[2];
        if (::pipe2(pipe, O_CLOEXEC) != 0)
            throw std::runtime_error("no pipe for Xvfb");
        pid_ = start({"Xvfb", "-displayfd", std::to_string(pipe[1]), "-screen", "0", "1920x1080x24",
                      "-nolisten", "tcp"},
                     {}, pipe[1]);
        ::close(pipe[1]);
        std::string number;
        char c = 0;
        for (int i = 0; i < kDisplayDigits && ::read(pipe[0], &c, 1) == 1 && c != '\n'; ++i)
            number += c;
        ::close(pipe[0]);
        if (number.empty())
            throw std::runtime_error("Xvfb did not start");
        name_ = ":" + number;
    }
    ~VirtualDisplay() {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    const std::string& name() const { return name_; }

private:
    pid_t pid_ = -1;
    std::string name_;
};

// User and system time of a running process, in clock ticks; -1 when it is gone.
long long ticksOf(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line) || line.rfind(')') == std::string::npos)
        return -1;
    // After the command's name: state is the first field, utime the 12th and stime the 13th.
    std::istringstream fields(line.substr(line.rfind(')') + 1));
    std::string field;
    long long user = 0, system = 0;
    for (int i = 1; i <= 13 && fields >> field; ++i) {
        if (i == 12)
            user = std::atoll(field.c_str());
        if (i == 13)
            system = std::atoll(field.c_str());
    }
    return user + system;
}

// Runs nitrogen on the folder until its processor time stops growing, ends it and gives the
// processor time it took, in milliseconds.
double cpuUntilIdle(const std::string& display, const std::string& home,
                    const std::string& folder) {
    const pid_t pid = start({"nitrogen", folder}, {{"DISPLAY", display},
                                                   {"HOME", home},
                                                   {"XDG_CACHE_HOME", home + "/cache"},
                                                   {"XDG_CONFIG_HOME", home + "/config"},
                                                   {"NO_AT_BRIDGE", "1"}});
    long long last = -1;
    for (int polls = 0, idle = 0; idle < kIdlePolls && polls < kMostPolls; ++polls) {
        std::this_thread::sleep_for(kPoll);
        const long long now = ticksOf(pid);
        idle = now > 0 && now == last ? idle + 1 : 0;
        last = now;
    }
    ::kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid || last <= 0)
        throw std::runtime_error("nitrogen did not run");
    const auto ms = [](const timeval& t) {
        return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

} // namespace

std::variant<NitrogenOpenings, std::string> measureNitrogen(const std::string& folder, int runs) {
    for (const char* needed : {"nitrogen", "Xvfb"})
        if (!onPath(needed))
            return std::string(needed) + " is not installed";
    const VirtualDisplay display;
    const std::string scratch = temporaryFolder();
    const std::string empty = scratch + "/empty";
    std::filesystem::create_directory(empty);
    NitrogenOpenings least{1e300, 1e300, 1e300};
    for (int run = 0; run < runs; ++run) {
        const std::string home = scratch + "/home" + std::to_string(run);
        std::filesystem::create_directories(home + "/cache");
        least.start = std::min(least.start, cpuUntilIdle(display.name(), home, empty));
        least.first = std::min(least.first, cpuUntilIdle(display.name(), home, folder));
        least.second = std::min(least.second, cpuUntilIdle(display.name(), home, folder));
    }
    std::filesystem::remove_all(scratch);
    least.first -= least.start;
    least.second -= least.start;
    return least;
}

} // namespace zolvera::bench
