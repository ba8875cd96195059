#include "XServer.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char** environ;

namespace zolvera::test {

namespace {

constexpr int kDisplayFd = 3;
constexpr int kStartLimitMs = 10000;

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

XServer::~XServer() {
    if (pid_ <= 0)
        return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
}

} // namespace zolvera::test
