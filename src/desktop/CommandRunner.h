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

// Runs programs with QProcess, found on PATH, in the C.UTF-8 locale: the tools get file names
// as UTF-8, as they are stored here (under another locale GLib's tools refuse or garble an
// accented path), and their output is read.
class ProcessRunner : public CommandRunner {
public:
    explicit ProcessRunner(int timeLimitMs = 5000) : timeLimitMs_(timeLimitMs) {}
    std::optional<std::string> run(const std::string& program,
                                   const std::vector<std::string>& arguments) override;

private:
    int timeLimitMs_;
};

// Runs a tool whose failure means the desktop did not get the picture: its output, or the
// Failure that names the tool.
std::string runOrFail(CommandRunner& runner, const std::string& program,
                      const std::vector<std::string>& arguments);

} // namespace zolvera::desktop
