// One step of the slideshow, decoding the next picture and painting it for the first time, in
// the window at its normal size and at 1920 x 1080, beside djpeg decoding the same file with
// the accurate integer DCT: wall time and, as the machine may be shared, processor time. Each
// run is a child process of its own, so that its peak memory is its own; the memory a picture
// costs is the peak above the same window showing a small picture.
#include "library/Settings.h"
#include "ui/Dia.h"
#include "ui/StretchedImage.h"

#include "BenchTools.h"
#include "PrintingDialogs.h"

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

struct StepFigures {
    double milliseconds = 0;    // the median step
    double cpuMilliseconds = 0; // the median processor time of a step
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

// Runs in the child: shows the group at the window size and times kRuns steps.
StepFigures measureSteps(const std::string& group, QSize windowSize) {
    int argc = 1;
    char name[] = "slideshow_bench";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    library::Beall() = {.Leptet = 10};
    bench::PrintingDialogs dialogs;
    StepFigures figures;
    QTimer::singleShot(0, [&] {
        ui::Tfrm_dia& window = *ui::frm_dia;
        window.resize(windowSize);
        QApplication::processEvents();
        window.img->repaint();
        std::vector<double> times, cpuTimes;
        for (int run = 0; run < kRuns; ++run) {
            QElapsedTimer clock;
            clock.start();
            const double cpuStart = cpuNow();
            window.aKovetkezo->trigger();
            window.img->repaint();
            cpuTimes.push_back(cpuNow() - cpuStart);
            times.push_back(double(clock.nsecsElapsed()) / 1e6);
        }
        figures = {medianOf(times), medianOf(cpuTimes)};
        window.close();
    });
    ui::ShowSlideshow(nullptr, dialogs, group, "bench", ui::StepTimer::Ticks::ByHand);
    return figures;
}

} // namespace

// Runs the steps in a child; the figures come back through a file.
std::pair<StepFigures, bench::Run> stepsInChild(const std::string& group, QSize windowSize,
                                                const std::string& resultFile) {
    const bench::Run child = bench::inChild([&] {
        const StepFigures figures = measureSteps(group, windowSize);
        std::ofstream(resultFile) << figures.milliseconds << ' ' << figures.cpuMilliseconds;
    });
    StepFigures figures;
    std::ifstream(resultFile) >> figures.milliseconds >> figures.cpuMilliseconds;
    return {figures, child};
}

int main() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::string folder = (std::filesystem::temp_directory_path() / "zolvera-bench-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr)
        return 1;
    const std::string resultFile = folder + "/result";
    const std::string small = folder + "/small";
    std::filesystem::create_directories(small);
    bench::makeJpeg(folder, 64, 48, small + "/a.jpg");
    std::filesystem::copy_file(small + "/a.jpg", small + "/b.jpg");
    const std::vector<QSize> windowSizes{QSize(654, 519), QSize(1920, 1080)};
    std::vector<long> windowKilobytes; // the peak of each window with the small picture
    for (const QSize windowSize : windowSizes)
        windowKilobytes.push_back(stepsInChild(small, windowSize, resultFile).second.peakKilobytes);

    std::printf("One slideshow step (decode + first paint), median of %d, beside djpeg -dct int"
                " -outfile /dev/null (a process per run)\n",
                kRuns);
    std::printf("%-10s %-10s %15s %15s %11s   %s\n", "picture", "window", "step ms wall/cpu",
                "djpeg wall/cpu", "ratio w/c",
                "peak MB: above the window / djpeg / one decoded picture");
    for (const auto& [width, height] : {std::pair{1920, 1080}, {3840, 2160}}) {
        const std::string group = folder + "/" + std::to_string(width);
        std::filesystem::create_directories(group);
        bench::makeJpeg(folder, width, height, group + "/a.jpg");
        std::filesystem::copy_file(group + "/a.jpg", group + "/b.jpg");
        const bench::Run djpeg = bench::median(
            kRuns, [] {},
            [&] {
                return bench::program(
                    {"djpeg", "-dct", "int", "-outfile", "/dev/null", group + "/a.jpg"});
            });
        const double decodedMb = double(width) * height * 3 / 1048576.0;
        for (std::size_t i = 0; i < windowSizes.size(); ++i) {
            const auto [step, child] = stepsInChild(group, windowSizes[i], resultFile);
            std::printf(
                "%4dx%-5d %4dx%-5d %7.1f/%-7.1f %7.1f/%-7.1f %5.2f/%-5.2f   %.1f / %.1f / %.1f\n",
                width, height, windowSizes[i].width(), windowSizes[i].height(), step.milliseconds,
                step.cpuMilliseconds, djpeg.milliseconds, djpeg.cpuMilliseconds,
                step.milliseconds / djpeg.milliseconds,
                step.cpuMilliseconds / djpeg.cpuMilliseconds,
                double(child.peakKilobytes - windowKilobytes[i]) / 1024.0,
                double(djpeg.peakKilobytes) / 1024.0, decodedMb);
        }
    }
    std::filesystem::remove_all(folder);
    return 0;
}
