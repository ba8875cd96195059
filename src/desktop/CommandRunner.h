#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zolvera::desktop {

// Runs external programs: always with an argument list (never through a shell) and a time
// limit, after which the program is killed.
class CommandRunner {
public:
    virtual ~CommandRunner() = default;
    // The program's standard output; nothing when it could not be started, ran out of time or
    // ended with a non-zero exit code.
    virtual std::optional<std::string> run(const std::string& program,
                                           const std::vector<std::string>& arguments) = 0;
};

// Runs programs with QProcess, found on PATH.
class ProcessRunner : public CommandRunner {
public:
    explicit ProcessRunner(int timeLimitMs = 5000) : timeLimitMs_(timeLimitMs) {}
    std::optional<std::string> run(const std::string& program,
                                   const std::vector<std::string>& arguments) override;

private:
    int timeLimitMs_;
};

} // namespace zolvera::desktop
