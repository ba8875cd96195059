#pragma once

#include "support/TempDir.h"

#include <QImage>

#include <string>
#include <sys/types.h>

namespace zolvera::test {

// A sway of its own for one test: headless, drawn in software, with two outputs, in a runtime
// folder of its own (so parallel runs never meet). sway refuses to run as root, so a root test
// runs it as nobody. Stopped, with what it started, when the object goes away.
class HeadlessSway {
public:
    HeadlessSway();
    ~HeadlessSway();
    HeadlessSway(const HeadlessSway&) = delete;
    HeadlessSway& operator=(const HeadlessSway&) = delete;

    // Empty when it runs; else why it could not be started.
    const std::string& failure() const { return failure_; }
    const std::string& runtimeFolder() const { return runtime_.path(); }
    const std::string& socket() const { return socket_; }
    const std::string& waylandDisplay() const { return waylandDisplay_; }

    // An output's picture as grim reads it back; null when it cannot be read.
    QImage screenshot(const std::string& output) const;

private:
    TempDir runtime_;
    pid_t pid_ = -1;
    std::string socket_;
    std::string waylandDisplay_;
    std::string failure_;
};

// Makes a folder's files readable and its folders passable for every user, so that a sway run
// as another user can show the pictures in it.
void shareWithEveryone(const std::string& folder);

} // namespace zolvera::test
