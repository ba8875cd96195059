// SetWallpaper beside the reference tools doing the same file work: djpeg writing the bitmap
// with the accurate integer DCT, then cp copying the JPEG. The desktop is left alone.
// Then reading a value from hand-made registry stores that are very wide or very deep, beside
// grep scanning the same file.
#include "desktop/DesktopApplier.h"
#include "desktop/FileRegistry.h"
#include "desktop/Registry.h"
#include "desktop/Wallpaper.h"

#include "BenchTools.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

using zolvera::bench::makeJpeg;

using Clock = std::chrono::steady_clock;

struct NoDesktop : zolvera::desktop::DesktopApplier {
    void apply(const std::string&, zolvera::desktop::WallpaperStyle) override {}
};

// Runs a program with an argument list and waits for it; throws when it fails.
void run(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    int status = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0 ||
        waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(args[0] + " failed");
}

// The pixel rows of a bitmap file (and colour table, if any): everything after the 14-byte
// file header and the size fields of the info header, which djpeg leaves at 0.
std::string pixelsOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return bytes.size() < 54 ? std::string() : bytes.substr(14, 20) + bytes.substr(54);
}

template <typename F> double medianMs(int runs, F&& work) {
    std::vector<double> times;
    work(); // warm the page cache and the code
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A store with the Wallpaper value beside many sibling keys, many values, or under a deep key.
std::string wideOrDeepStore(const std::string& shape, int count) {
    std::string text = "REGEDIT4\n";
    std::string desktop = "HKEY_CURRENT_USER\\Control Panel\\Desktop";
    if (shape == "sibling keys")
        for (int i = 0; i < count; ++i)
            text += "[HKEY_CURRENT_USER\\Software\\Key" + std::to_string(i) + "]\n";
    if (shape == "values")
        for (int i = 0; i < count; ++i)
            text += "[" + desktop + "]\n\"Value" + std::to_string(i) + "\"=\"x\"\n";
    if (shape == "nesting levels") {
        desktop += "\\";
        for (int i = 0; i < count; ++i)
            desktop += "k\\";
        desktop.pop_back();
    }
    return text + "[" + desktop + "]\n\"Wallpaper\"=\"/w.bmp\"\n";
}

int benchRegistry(const std::string& folder) {
    namespace desktop = zolvera::desktop;
    std::printf("ReadRegString on a hand-made store beside grep -c over it (median ms)\n");
    std::printf("%-24s %8s %12s %8s\n", "store", "size KB", "ReadRegString", "grep");
    int status = 0;
    for (const auto& [shape, count] : {std::pair<std::string, int>{"sibling keys", 10000},
                                       {"sibling keys", 20000},
                                       {"values", 20000},
                                       {"nesting levels", 400000}}) {
        const std::string store = folder + "/wide.reg";
        const std::string text = wideOrDeepStore(shape, count);
        std::ofstream(store, std::ios::binary) << text;
        desktop::FileRegistry registry(store);
        std::string key = "\\Control Panel\\Desktop";
        if (shape == "nesting levels")
            for (int i = 0; i < count; ++i)
                key += "\\k";
        std::string value;
        const double ours = medianMs(5, [&] {
            value = desktop::ReadRegString(registry, desktop::kCurrentUser, key, "Wallpaper");
        });
        const double tools = medianMs(5, [&] { run({"grep", "-q", "-c", "Wallpaper", store}); });
        status |= value == "/w.bmp" ? 0 : 4;
        std::printf("%6d %-17s %8zu %12.1f %8.1f\n", count, shape.c_str(), text.size() / 1024, ours,
                    tools);
    }
    return status;
}

} // namespace

int main() {
    namespace desktop = zolvera::desktop;
    std::string folder = (std::filesystem::temp_directory_path() / "zolvera-bench-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr)
        return 1;
    desktop::FileRegistry registry(folder + "/registry.reg");
    std::filesystem::create_directories(folder + "/windows");
    std::filesystem::create_directories(folder + "/reference");
    if (!desktop::WriteRegString(
            registry, desktop::kCurrentUser,
            "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Fonts",
            folder + "/windows/Fonts"))
        return 1;
    NoDesktop noDesktop;

    std::printf("SetWallpaper beside djpeg -bmp -dct int + cp (median ms)\n");
    std::printf("%-11s %12s %12s %7s  %s\n", "picture", "SetWallpaper", "djpeg+cp", "ratio",
                "same pixels as djpeg");
    int status = 0;
    for (const auto& [width, height, runs] : {std::tuple{1920, 1080, 9}, {3840, 2160, 5}}) {
        const std::string jpeg = folder + "/picture.jpg";
        makeJpeg(folder, width, height, jpeg);
        const std::string bitmap = folder + "/reference/ref.bmp";
        const double ours =
            medianMs(runs, [&] { desktop::SetWallpaper(jpeg, registry, noDesktop); });
        const double tools = medianMs(runs, [&] {
            run({"djpeg", "-bmp", "-dct", "int", "-outfile", bitmap, jpeg});
            run({"cp", jpeg, folder + "/reference/ref.jpg"});
        });
        const bool same = pixelsOf(folder + "/windows/Zolvera.bmp") == pixelsOf(bitmap);
        status |= same ? 0 : 2;
        std::printf("%4dx%-6d %12.1f %12.1f %7.2f  %s\n", width, height, ours, tools, ours / tools,
                    same ? "yes" : "NO");
    }
    std::printf("\n");
    status |= benchRegistry(folder);
    std::filesystem::remove_all(folder);
    return status;
}
