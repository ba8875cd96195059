#include "BenchTools.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

namespace zolvera::bench {

int benchMain(int argc, char** argv, const std::function<void(const std::string& root)>& body) {
    namespace fs = std::filesystem;
    std::string temporary;
    int status = 0;
    try {
        fs::path root;
        if (argc > 1) {
            root = fs::absolute(argv[1]).lexically_normal();
        } else {
            temporary = (fs::temp_directory_path() / "zolvera-bench-XXXXXX").string();
            if (::mkdtemp(temporary.data()) == nullptr)
                throw std::runtime_error("cannot make a temporary folder");
            root = temporary;
        }
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        body(root.has_filename() ? root.string() : root.parent_path().string());
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        status = 1;
    }
    if (!temporary.empty()) {
        std::error_code ignored; // a folder left behind in the temporary folder harms nothing
        fs::remove_all(temporary, ignored);
    }
    return status;
}

// Forks, runs the work in the child and reports its wall time and peak resident size.
Run inChild(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        try {
            work();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        throw std::runtime_error("a benchmark run failed");
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    const auto ms = [](const timeval& t) {
        return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
    };
    return {elapsed.count(), usage.ru_maxrss, ms(usage.ru_utime) + ms(usage.ru_stime)};
}

// Runs a program in the child, its standard output sent to a file when one is named.
Run program(std::vector<std::string> args, const std::string& output) {
    return inChild([&] {
        if (!output.empty()) {
            const int fd = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
            ::dup2(fd, STDOUT_FILENO);
        }
        execute(std::move(args));
    });
}

void execute(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    _exit(127);
}

long ownPeakKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return 0;
}

double loadAverage() {
    double load = 0;
    std::ifstream("/proc/loadavg") >> load;
    return load;
}

// The median of several runs, each after a fresh set-up.
Run median(int runs, const std::function<void()>& setUp, const std::function<Run()>& measure) {
    std::vector<Run> results;
    for (int i = 0; i < runs; ++i) {
        setUp();
        results.push_back(measure());
    }
    std::sort(results.begin(), results.end(),
              [](const Run& a, const Run& b) { return a.milliseconds < b.milliseconds; });
    return results[results.size() / 2];
}

// The picture is written as PPM first and then compressed.
void makeJpeg(const std::string& folder, int width, int height, const std::string& jpeg,
              bool grain) {
    const std::string ppm = folder + "/source.ppm";
    std::ofstream out(ppm, std::ios::binary);
    out << "P6\n" << width << ' ' << height << "\n255\n";
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
    std::mt19937 random(42);
    std::uniform_int_distribution<int> noise(-12, 12);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int values[] = {x * 255 / width, y * 255 / height,
                                  (((x / 7) ^ (y / 5)) * 37) & 255};
            for (int c = 0; c < 3; ++c)
                row[static_cast<std::size_t>(x * 3 + c)] = static_cast<unsigned char>(
                    std::clamp(values[c] + (grain ? noise(random) : 0), 0, 255));
        }
        out.write(reinterpret_cast<const char*>(row.data()), std::streamsize(row.size()));
    }
    out.close();
    program({"cjpeg", "-quality", "90", "-outfile", jpeg, ppm});
    std::filesystem::remove(ppm);
}

} // namespace zolvera::bench
