// Installing and packing a package of many pictures, beside the tools that move the same bytes:
// cp -r of the pictures' folder (install) and cat of the pictures into one file (pack). Each
// run is a child process, so its time includes the same fork and its peak memory is its own.
// Then packages of many small entries, installed once each.
// Usage: packages_bench [pictures=100] [bytes per picture=614400]
#include "library/GroupLibrary.h"
#include "packages/InstallPackage.h"
#include "packages/PackFolder.h"
#include "packages/PackageFormat.h"

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
#include <functional>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace zolvera;
using namespace zolvera::bench;

namespace {

constexpr int kRuns = 9;

struct NoWindow : library::LibraryView {
    void showInfo(const std::string&) override {}
    bool showConfirm(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> choosePicture() override { return std::nullopt; }
    void clearGroupColumn() override {}
    void buildGroupColumn() override {}
    void displayGroup(int) override {}
    bool keepWaitingForLibrary() override { return false; }
};

// A folder of pictures with random bytes (incompressible, as JPEG data is) and a cover.
std::vector<std::string> makePictures(const std::string& folder, int count, std::size_t bytes) {
    fs::create_directories(folder);
    std::mt19937 random(42);
    std::string content(bytes, '\0');
    std::vector<std::string> paths;
    for (int i = 0; i <= count; ++i) {
        for (char& byte : content)
            byte = static_cast<char>(random());
        paths.push_back(folder + (i == count ? "/init.jpg" : "/kep" + std::to_string(i) + ".jpg"));
        std::ofstream(paths.back(), std::ios::binary).write(content.data(), content.size());
    }
    return paths;
}

// Writes the file again in writes of a megabyte.
void rewriteInLargeWrites(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ofstream out(path + ".new", std::ios::binary);
    std::vector<char> buffer(1 << 20);
    while (in.read(buffer.data(), std::streamsize(buffer.size())) || in.gcount() > 0)
        out.write(buffer.data(), in.gcount());
    out.close();
    fs::rename(path + ".new", path);
}

struct Figures {
    Run idle, install, addGroup, copy, pack, repack, concatenate;
};

Figures measure(const std::string& work, int count, std::size_t bytes) {
    const std::string folder = work + "/Bench";
    const std::string app = work + "/app";
    const std::string package = work + "/Bench.dta";
    const std::vector<std::string> pictures = makePictures(folder, count, bytes);
    Figures figures;
    // A child that does nothing: what every child starts from.
    figures.idle = inChild([] {});

    // A new package, as a group is usually packed; then one over an earlier package, which is
    // flushed to disk before it replaces the old one.
    const auto packOnce = [&] { return inChild([&] { packages::PackFolder(folder, package); }); };
    figures.pack = median(
        kRuns, [&] { fs::remove(package); }, packOnce);
    figures.repack = median(
        kRuns, [] {}, packOnce);
    std::vector<std::string> cat{"cat"};
    cat.insert(cat.end(), pictures.begin(), pictures.end());
    figures.concatenate = median(
        kRuns, [] {}, [&] { return program(cat, work + "/all.bin"); });

    // The pictures were written in one write each, and a file's page cache keeps the shape of
    // its writes (large folios read faster than pages); the package to install is written the
    // same way, so that both copies read alike; in a child, so as not to leave its buffer in the
    // memory every later child starts from.
    inChild([&] { rewriteInLargeWrites(package); });
    // Every run starts with nothing left to write back: the pack runs before leave over a
    // gigabyte of dirty pages, whose writeback would otherwise slow whichever runs come first.
    const auto freshLibrary = [&] {
        fs::remove_all(app);
        fs::create_directories(app + "/Hatterek");
        std::ofstream(app + "/Zolvera.lst");
        ::sync();
    };
    figures.install = median(kRuns, freshLibrary, [&] {
        return inChild([&] {
            NoWindow window;
            library::GroupLibrary library(app, window);
            packages::InstallPackage(library, package);
        });
    });
    figures.copy = median(kRuns, freshLibrary, [&] {
        return program({"cp", "-r", folder, app + "/Hatterek/Bench"});
    });
    // The part of an installation that is no copying: adding the group, whose list file is
    // saved twice (appended, then reloaded), each time durably.
    figures.addGroup = median(
        kRuns,
        [&] {
            freshLibrary();
            fs::create_directories(app + "/Hatterek/Bench");
        },
        [&] {
            return inChild([&] {
                NoWindow window;
                library::GroupLibrary(app, window).addGroup("Bench");
            });
        });
    fs::remove_all(work);
    return figures;
}

// A package of count entries named by nameOf, each holding content.
void writeEntries(const std::string& path, int count, const std::function<std::string(int)>& nameOf,
                  const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    const auto field = [&](const std::string& bytes) {
        out.write(packages::encodeLength(std::uint32_t(bytes.size())).data(),
                  std::streamsize(packages::kLengthFieldSize));
        out.write(bytes.data(), std::streamsize(bytes.size()));
    };
    field("Sok");
    for (int i = 0; i < count; ++i) {
        field(nameOf(i));
        field(content);
    }
}

// One installation of a package of count entries into a fresh library.
Run installEntries(const std::string& work, int count,
                   const std::function<std::string(int)>& nameOf, const std::string& content) {
    const std::string app = work + "/many";
    const std::string package = work + "/many.dta";
    fs::remove_all(app);
    fs::create_directories(app + "/Hatterek");
    std::ofstream(app + "/Zolvera.lst");
    writeEntries(package, count, nameOf, content);
    ::sync();
    const Run run = inChild([&] {
        NoWindow window;
        library::GroupLibrary library(app, window);
        try {
            packages::InstallPackage(library, package);
        } catch (const Failure&) { // refused: the time it took is the figure
        }
    });
    fs::remove_all(app);
    fs::remove(package);
    return run;
}

// Packages whose size lies in their entry count: pictures alternating with cover entries, whose
// cost once grew with the square of the count, and a million empty entries.
void printManyEntries(const std::string& work) {
    std::printf("\nmany entries, one run each (time, peak memory of the child):\n");
    for (const int pictures : {1000, 2000, 4000}) {
        const Run run = installEntries(
            work, 2 * pictures,
            [](int i) {
                return i % 2 ? std::string("init.jpg") : "kep" + std::to_string(i) + ".jpg";
            },
            std::string(100, 'x'));
        std::printf("  %d pictures and %d cover entries: %9.1f ms %8ld KB\n", pictures, pictures,
                    run.milliseconds, run.peakKilobytes);
    }
    for (const int entries : {100'000, 1'000'000}) {
        const Run run = installEntries(
            work, entries, [](int i) { return "k" + std::to_string(i) + ".jpg"; }, "");
        std::printf("  %d empty entries%s: %9.1f ms %8ld KB\n", entries,
                    entries > int(packages::kMaxEntries) ? " (refused)" : "", run.milliseconds,
                    run.peakKilobytes);
    }
}

void printRow(const char* what, const Run& ours, const char* tool, const Run& reference) {
    std::printf("%-8s %9.1f ms %8ld KB   %-7s %9.1f ms %8ld KB   time %.2fx   processor %.2fx\n",
                what, ours.milliseconds, ours.peakKilobytes, tool, reference.milliseconds,
                reference.peakKilobytes, ours.milliseconds / reference.milliseconds,
                ours.cpuMilliseconds / reference.cpuMilliseconds);
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 100;
    const std::size_t bytes = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 600 * 1024;
    if (count < 1 || bytes > packages::kMaxContentLength) {
        std::fprintf(stderr, "usage: packages_bench [pictures] [bytes per picture <= %zu]\n",
                     packages::kMaxContentLength);
        return 2;
    }
    std::string work = (fs::temp_directory_path() / "zolvera-bench-XXXXXX").string();
    if (mkdtemp(work.data()) == nullptr)
        return 1;
    const Figures small = measure(work + "/small", std::max(1, count / 10), bytes);
    const Figures full = measure(work + "/full", count, bytes);

    std::printf("%d pictures of %zu bytes (%.1f MB), median of %d runs, peak = child's ru_maxrss\n",
                count, bytes, count * static_cast<double>(bytes) / 1e6, kRuns);
    std::printf("%-8s %12s %11s   %-7s %12s %11s\n", "", "zolvera", "peak", "tool", "time", "peak");
    printRow("install", full.install, "cp -r", full.copy);
    printRow("pack", full.pack, "cat", full.concatenate);
    printRow("repack", full.repack, "cat", full.concatenate);
    std::printf("install: %.1f ms of it adding the group (the list file saved durably); the rest"
                " at %.2fx cp -r\n",
                full.addGroup.milliseconds,
                (full.install.milliseconds - full.addGroup.milliseconds) / full.copy.milliseconds);
    std::printf("\npeak memory: idle child %ld KB\n", full.idle.peakKilobytes);
    std::printf("  install: %ld KB over idle with %d pictures, %ld KB with %d\n",
                full.install.peakKilobytes - full.idle.peakKilobytes, count,
                small.install.peakKilobytes - small.idle.peakKilobytes, std::max(1, count / 10));
    std::printf("  pack:    %ld KB over idle with %d pictures, %ld KB with %d\n",
                full.pack.peakKilobytes - full.idle.peakKilobytes, count,
                small.pack.peakKilobytes - small.idle.peakKilobytes, std::max(1, count / 10));
    printManyEntries(work);
    fs::remove_all(work);
    return 0;
}
