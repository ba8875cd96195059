// One step of the slideshow, decoding the next picture and painting it for the first time, in
// the window at its normal size and at 1920 x 1080, beside djpeg decoding the same file with
// the accurate integer DCT. Each window size runs in a child process of its own, so that its
// peak memory is its own; djpeg's is that of its process.
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
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace zolvera;

constexpr int kRuns = 9;

struct StepFigures {
    double milliseconds = 0; // the median step
    long idleKilobytes = 0;  // the peak before the window existed
};

// Runs in the child: shows the group at the window size and times kRuns steps.
StepFigures measureSteps(const std::string& group, QSize windowSize) {
    int argc = 1;
    char name[] = "slideshow_bench";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    library::Beall() = {.Leptet = 10};
    bench::PrintingDialogs dialogs;
    StepFigures figures;
    figures.idleKilobytes = bench::ownPeakKilobytes();
    QTimer::singleShot(0, [&] {
        ui::Tfrm_dia& window = *ui::frm_dia;
        window.resize(windowSize);
        QApplication::processEvents();
        window.img->repaint();
        std::vector<double> times;
        for (int run = 0; run < kRuns; ++run) {
            QElapsedTimer clock;
            clock.start();
            window.aKovetkezo->trigger();
            window.img->repaint();
            times.push_back(double(clock.nsecsElapsed()) / 1e6);
        }
        std::sort(times.begin(), times.end());
        figures.milliseconds = times[times.size() / 2];
        window.close();
    });
    ui::ShowSlideshow(nullptr, dialogs, group, "bench", ui::StepTimer::Ticks::ByHand);
    return figures;
}

} // namespace

int main() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::string folder = (std::filesystem::temp_directory_path() / "zolvera-bench-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr)
        return 1;
    const std::string resultFile = folder + "/result";

    std::printf("One slideshow step (decode + first paint, median of %d) beside djpeg -dct int"
                " -outfile /dev/null (one process per run)\n",
                kRuns);
    std::printf("%-10s %-10s %9s %9s %6s   %s\n", "picture", "window", "step ms", "djpeg ms",
                "ratio", "peak MB: step above idle / djpeg / one decoded picture");
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

        for (const QSize windowSize : {QSize(654, 519), QSize(1920, 1080)}) {
            const bench::Run child = bench::inChild([&] {
                const StepFigures figures = measureSteps(group, windowSize);
                std::ofstream(resultFile) << figures.milliseconds << ' ' << figures.idleKilobytes;
            });
            StepFigures figures;
            std::ifstream(resultFile) >> figures.milliseconds >> figures.idleKilobytes;
            std::printf("%4dx%-5d %4dx%-5d %9.1f %9.1f %6.2f   %.1f / %.1f / %.1f\n", width, height,
                        windowSize.width(), windowSize.height(), figures.milliseconds,
                        djpeg.milliseconds, figures.milliseconds / djpeg.milliseconds,
                        (child.peakKilobytes - figures.idleKilobytes) / 1024.0,
                        djpeg.peakKilobytes / 1024.0, decodedMb);
        }
    }
    std::filesystem::remove_all(folder);
    return 0;
}
