// One step of the slideshow in the window at its normal size and maximised on a 1920 x 1080
// screen: its latency, from the timer's tick to the picture painted (decoded ahead by then), and
// its processor time, the decoding ahead included, beside djpeg decoding the same file with the
// accurate integer DCT at full size and at the scale the window needs: wall time and processor
// time. Then opening the picture preview of the same
// pictures, and the time from opening the slideshow to its first picture painted. Each run is a
// child process of its own, so that its peak memory is its own; the memory a picture costs is the
// peak above the same window showing a small picture.
#include "library/Settings.h"
#include "picture/Picture.h"
#include "ui/DecodeAhead.h"
#include "ui/Dia.h"
#include "ui/Mutat.h"
#include "ui/StretchedImage.h"

#include "BenchTools.h"
#include "BenchWindows.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace zolvera;

constexpr int kRuns = 9;

enum class Shown { Normal, Maximised, Preview };

struct StepFigures {
    double milliseconds = 0;     // the median step's latency, from its tick to the picture painted
    double cpuMilliseconds = 0;  // the median processor time of a step
    double openMilliseconds = 0; // from opening the window to its first picture painted
    int denominator = 1;         // the scale the picture was decoded at: 1 / denominator
};

double cpuNow() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double medianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs in the child: shows the group in the window and times kRuns steps of its timer, each
// once the next picture is decoded ahead, as it is long before the timer ticks at its default
// pace. A step's processor time runs from its tick to the next picture decoded ahead: all the
// work one picture costs, on both threads.
StepFigures measureSteps(const std::string& group, Shown shown) {
    int argc = 1;
    char name[] = "slideshow_bench";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    bench::BenchWindows windows(group + "/registry.reg"); // never written
    windows.settings.Leptet = 10;
    windows.settings.Teljes = shown == Shown::Maximised;
    StepFigures figures;
    QElapsedTimer opening;
    QTimer::singleShot(0, [&] {
        ui::Tfrm_dia& window = *qobject_cast<ui::Tfrm_dia*>(QApplication::activeModalWidget());
        QApplication::processEvents();
        window.img->repaint();
        const double openMilliseconds = double(opening.nsecsElapsed()) / 1e6;
        const auto waitForTheNextPicture = [&] {
            while (!window.Ahead->ready())
                QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        };
        std::vector<double> latencies, cpuTimes;
        for (int run = 0; run < kRuns; ++run) {
            waitForTheNextPicture();
            QElapsedTimer clock;
            clock.start();
            const double cpuStart = cpuNow();
            window.Timer->tick();
            window.img->repaint();
            latencies.push_back(double(clock.nsecsElapsed()) / 1e6);
            waitForTheNextPicture();
            cpuTimes.push_back(cpuNow() - cpuStart);
        }
        figures = {medianOf(latencies), medianOf(cpuTimes), openMilliseconds,
                   picture::JpegPicture::load(group + "/a.jpg")
                       .scaleDenominatorFor(window.img->width(), window.img->height())};
        window.close();
    });
    opening.start();
    ui::ShowSlideshow(nullptr, windows.context, group, "bench", ui::StepTimer::Ticks::ByHand);
    return figures;
}

// Runs in the child: opens the preview of the picture kRuns times, each closed as soon as its
// event loop runs.
StepFigures measurePreview(const std::string& group) {
    int argc = 1;
    char name[] = "slideshow_bench";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    bench::BenchWindows windows(group + "/registry.reg"); // never written
    std::vector<double> times, cpuTimes;
    for (int run = 0; run < kRuns; ++run) {
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        QElapsedTimer clock;
        clock.start();
        const double cpuStart = cpuNow();
        ui::ShowPicturePreview(nullptr, windows.context, group + "/", "a.jpg");
        cpuTimes.push_back(cpuNow() - cpuStart);
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    return {medianOf(times), medianOf(cpuTimes), 0,
            picture::JpegPicture::load(group + "/a.jpg").scaleDenominatorFor(654, 490)};
}

} // namespace

// Runs the steps or the preview in a child; the figures come back through a file.
std::pair<StepFigures, bench::Run> stepsInChild(const std::string& group, Shown shown,
                                                const std::string& resultFile) {
    const bench::Run child = bench::inChild([&] {
        const StepFigures figures =
            shown == Shown::Preview ? measurePreview(group) : measureSteps(group, shown);
        std::ofstream(resultFile) << figures.milliseconds << ' ' << figures.cpuMilliseconds << ' '
                                  << figures.openMilliseconds << ' ' << figures.denominator;
    });
    StepFigures figures;
    std::ifstream(resultFile) >> figures.milliseconds >> figures.cpuMilliseconds >>
        figures.openMilliseconds >> figures.denominator;
    return {figures, child};
}

bench::Run djpegAt(const std::string& file, int denominator) {
    return bench::median(
        kRuns, [] {},
        [&] {
            return bench::program({"djpeg", "-dct", "int", "-scale",
                                   "1/" + std::to_string(denominator), "-outfile", "/dev/null",
                                   file});
        });
}

void printRow(const char* picture, const char* window, const StepFigures& step,
              const bench::Run& djpeg, const bench::Run& scaled, double memoryMb) {
    std::printf(
        "%-16s %-10s %7.1f/%-7.1f %7.1f/%-7.1f %5.2f/%-5.2f  1/%d: %6.1f/%-6.1f %5.2f/%-5.2f"
        "  %8.1f  %7.1f\n",
        picture, window, step.milliseconds, step.cpuMilliseconds, djpeg.milliseconds,
        djpeg.cpuMilliseconds, step.milliseconds / djpeg.milliseconds,
        step.cpuMilliseconds / djpeg.cpuMilliseconds, step.denominator, scaled.milliseconds,
        scaled.cpuMilliseconds, step.milliseconds / scaled.milliseconds,
        step.cpuMilliseconds / scaled.cpuMilliseconds, memoryMb, step.openMilliseconds);
}

int main() {
    std::string folder = (std::filesystem::temp_directory_path() / "zolvera-bench-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr)
        return 1;
    std::ofstream(folder + "/screen.json")
        << R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1920, "height": 1080,)"
           R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + folder + "/screen.json").c_str(), 1);
    const std::string resultFile = folder + "/result";
    const std::string small = folder + "/small";
    std::filesystem::create_directories(small);
    bench::makeJpeg(folder, 64, 48, small + "/a.jpg");
    std::filesystem::copy_file(small + "/a.jpg", small + "/b.jpg");
    struct Window {
        Shown shown;
        const char* name;
        long kilobytes; // the peak of the window with the small picture
    };
    std::vector<Window> windows{{Shown::Normal, "654x519", 0}, {Shown::Maximised, "maximised", 0}};
    for (Window& window : windows)
        window.kilobytes = stepsInChild(small, window.shown, resultFile).second.peakKilobytes;

    std::printf("One slideshow step, its latency from the timer's tick to the picture painted and"
                " its processor time with the next picture decoded ahead, and opening the preview"
                " (wall and processor time), median of %d, beside djpeg -dct int -outfile /dev/null"
                " at full size and at the scale used (a process per run); goals in the maximised"
                " window: latency at most 16 ms, processor time at most 1.0x of djpeg at the scale"
                " used for 4K and of djpeg full size for 1080p; the slideshow's opening to its"
                " first picture painted (load average %.2f)\n",
                kRuns, bench::loadAverage());
    std::printf("%-16s %-10s %15s %15s %11s  %-26s  %s  %s\n", "picture", "window",
                "ms latency/cpu", "djpeg wall/cpu", "ratio w/c", "djpeg at scale, ratio w/c",
                "peak MB above the window", "opening ms");
    struct Set {
        int width, height;
        bool grain;
        const char* name;
    };
    for (const Set set : {Set{1920, 1080, false, "1920x1080"}, Set{3840, 2160, false, "3840x2160"},
                          Set{3840, 2160, true, "3840x2160 grain"}}) {
        const std::string group = folder + "/" + std::to_string(set.width) + (set.grain ? "g" : "");
        std::filesystem::create_directories(group);
        bench::makeJpeg(folder, set.width, set.height, group + "/a.jpg", set.grain);
        std::filesystem::copy_file(group + "/a.jpg", group + "/b.jpg");
        const bench::Run djpeg = djpegAt(group + "/a.jpg", 1);
        for (const Window& window : windows) {
            const auto [step, child] = stepsInChild(group, window.shown, resultFile);
            printRow(set.name, window.name, step, djpeg,
                     djpegAt(group + "/a.jpg", step.denominator),
                     double(child.peakKilobytes - window.kilobytes) / 1024.0);
        }
        const auto [preview, child] = stepsInChild(group, Shown::Preview, resultFile);
        printRow(set.name, "preview", preview, djpeg,
                 djpegAt(group + "/a.jpg", preview.denominator),
                 double(child.peakKilobytes - windows[0].kilobytes) / 1024.0);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
