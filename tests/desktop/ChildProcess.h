#pragma once

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// Programs a test runs beside it, ended by their process id.
namespace zolvera::test {

// Starts a program with its standard output and error going to a file, never to a pipe (a
// desktop's helper daemons inherit it and would keep it open until the X server ends), in the
// given environment ("NAME=value" entries) or, without one, in the test's own. -1 when it
// could not be started.
pid_t startLogged(std::vector<std::string> command, const std::string& log,
                  const std::optional<std::vector<std::string>>& environment = std::nullopt);

// Ends a child of the test by its id and reaps it: SIGTERM, then SIGKILL when it has not ended
// within the time limit.
void endChild(pid_t pid, int limitMs = 5000);

} // namespace zolvera::test
