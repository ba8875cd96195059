#pragma once

// Helpers the benchmarks share: their main(), work run in a child process with its time and
// peak memory, the median of several runs, and photo-like JPEG pictures made with cjpeg.

#include <functional>
#include <string>
#include <vector>

namespace zolvera::bench {

struct Run {
    double milliseconds;
    long peakKilobytes;
    double cpuMilliseconds = 0; // user and system time of the child
};

// The main() of a benchmark of windows: runs the body on the folder named by the first argument
// (made absolute), else on a temporary folder removed afterwards, with Qt's offscreen platform.
// A failure is printed and gives exit status 1.
int benchMain(int argc, char** argv, const std::function<void(const std::string& root)>& body);

// Forks, runs the work in the child and reports its wall time and peak resident size.
Run inChild(const std::function<void()>& work);

// Runs a program in the child, its standard output sent to a file when one is named.
Run program(std::vector<std::string> args, const std::string& output = {});

// Replaces this process with the program, found on PATH; ends it with 127 when it cannot run.
[[noreturn]] void execute(std::vector<std::string> args);

// The peak resident size of this process so far.
long ownPeakKilobytes();

// The machine's load average over the last minute, printed beside figures that other work on
// the machine stretches.
double loadAverage();

// The median of several runs, each after a fresh set-up.
Run median(int runs, const std::function<void()>& setUp, const std::function<Run()>& measure);

// A photo-like test picture: smooth gradients with some fine detail, compressed by cjpeg at
// quality 90; folder holds the intermediate file. With grain, noise of up to ±12 levels is
// added to every sample before compressing, as in a real photograph; such a picture takes far
// more data and time to decode.
void makeJpeg(const std::string& folder, int width, int height, const std::string& jpeg,
              bool grain = false);

} // namespace zolvera::bench
