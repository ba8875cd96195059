#include "ChildProcess.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace zolvera::test {

pid_t startLogged(std::vector<std::string> command, const std::string& log,
                  const std::optional<std::vector<std::string>>& environment) {
    std::vector<char*> argv;
    for (auto& arg : command)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<std::string> variables = environment.value_or(std::vector<std::string>{});
    std::vector<char*> envp;
    for (auto& variable : variables)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = -1;
    const bool spawned = posix_spawnp(&pid, argv.front(), &actions, nullptr, argv.data(),
                                      environment ? envp.data() : environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    return spawned ? pid : -1;
}

void endChild(pid_t pid, int limitMs) {
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (waitpid(pid, nullptr, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

} // namespace zolvera::test
