// Downloading a package from a local nginx with the download dialog's HTTP client, beside
// curl -o fetching the same file. Each run is a child process, so its time includes the same
// fork and its peak memory is its own. bench/run starts nginx on the folder and passes it here.
// Usage: download_bench <folder nginx serves> <its base URL> [megabytes=200]
#include "BenchTools.h"
#include "net/HttpClient.h"
#include "platform/File.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace fs = std::filesystem;
using namespace zolvera;
using namespace zolvera::bench;

namespace {

constexpr int kRuns = 5;

// A file of random bytes (incompressible, as JPEG data is), written a megabyte at a time.
void writeRandomFile(const std::string& path, int megabytes) {
    std::mt19937 random(42);
    std::string chunk(1024 * 1024, '\0');
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < megabytes; ++i) {
        for (char& byte : chunk)
            byte = static_cast<char>(random());
        out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    }
}

struct Figures {
    Run idle, ours, curl; // idle: a child that does nothing, forked in the same state
};

Figures measure(const std::string& folder, const std::string& baseUrl, int megabytes,
                const std::string& output) {
    const std::string name = "bench" + std::to_string(megabytes) + ".dta";
    writeRandomFile(folder + "/" + name, megabytes);
    const std::string url = baseUrl + "/" + name;
    const auto removeOutput = [&] { fs::remove(output); };
    Figures figures;
    figures.idle = inChild([] {});
    figures.ours = median(kRuns, removeOutput, [&] {
        return inChild([&] {
            net::HttpClient client;
            platform::StagedFile file(output);
            client.get(
                url, [&file](std::string_view piece) { file.write(piece.data(), piece.size()); },
                std::uint64_t(megabytes) << 21);
            file.commit();
        });
    });
    figures.curl = median(kRuns, removeOutput, [&] {
        return program({"curl", "-s", "-f", "-o", output, url});
    });
    if (fs::file_size(output) != std::uintmax_t(megabytes) * 1024 * 1024)
        throw std::runtime_error("the download is incomplete");
    fs::remove(output);
    fs::remove(folder + "/" + name);
    return figures;
}

double megabytesPerSecond(int megabytes, const Run& run) {
    return megabytes * 1.048576 / (run.milliseconds / 1000.0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: download_bench <served folder> <base URL> [megabytes]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string baseUrl = argv[2];
    const int megabytes = argc > 3 ? std::atoi(argv[3]) : 200;
    const std::string output = folder + "/../download.out";
    try {
        const Figures small = measure(folder, baseUrl, megabytes / 10, output);
        const Figures full = measure(folder, baseUrl, megabytes, output);
        std::printf("median of %d runs, peak = child's ru_maxrss\n", kRuns);
        std::printf("%-8s %10s %10s %10s   %-8s %10s %10s %10s   throughput\n", "", "time", "MB/s",
                    "peak", "tool", "time", "MB/s", "peak");
        for (const auto& [mb, figures] : {std::pair{megabytes / 10, small}, {megabytes, full}})
            std::printf("%4d MB  %7.1f ms %10.1f %7ld KB   curl -o  %7.1f ms %10.1f %7ld KB   "
                        "%.2fx curl's\n",
                        mb, figures.ours.milliseconds, megabytesPerSecond(mb, figures.ours),
                        figures.ours.peakKilobytes, figures.curl.milliseconds,
                        megabytesPerSecond(mb, figures.curl), figures.curl.peakKilobytes,
                        figures.curl.milliseconds / figures.ours.milliseconds);
        std::printf("peak memory over an idle child: %ld KB for %d MB, %ld KB for %d MB\n",
                    small.ours.peakKilobytes - small.idle.peakKilobytes, megabytes / 10,
                    full.ours.peakKilobytes - full.idle.peakKilobytes, megabytes);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "download_bench: %s\n", failure.what());
        return 1;
    }
    return 0;
}
