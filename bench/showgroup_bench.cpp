// Opening a group of 200 pictures in the main window, full-HD and 4K, each opening in a process of
// its own that starts on an empty group: the first opening, which writes the thumbnails of the
// tiles in view into an empty freedesktop cache (and, for comparison, one whose cache cannot be
// written), and the second, whose tiles come from the cache: processor time and the time until
// the tiles in view are painted, beside djpeg decoding the same pictures one after the other at
// full size and at the scale the tiles are decoded at, and for the 4K photographs beside
// Nitrogen opening the same folder (when it is installed). Then the event loop's longest stall
// while the group opens and while the grid is scrolled from top to bottom with the mouse wheel,
// and the peak memory, beside the size of one decoded picture.
//
//     showgroup_bench [folder]   (the pictures are made there once; a temporary folder otherwise)

#include "library/GroupLibrary.h"
#include "picture/Picture.h"
#include "ui/Main.h"

#include "BenchTools.h"
#include "BenchWindows.h"
#include "EventLoop.h"
#include "NitrogenRun.h"
#include "PhotoLibrary.h"
#include "StallProbe.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace {

constexpr int kPictures = 200;
constexpr int kRuns = 5;
constexpr int kNitrogenRuns = 3;
constexpr int kWheelStepMs = 50; // a quick turn of the wheel
constexpr auto kLongestStore = std::chrono::seconds(10);

struct PictureSet {
    QSize size;
    bool grain;
    const char* folder;
    const char* goal; // the first opening's time to paint, against djpeg at the scale used
    bool nitrogen;    // whether Nitrogen opens the same folder beside it
};
constexpr PictureSet kSets[] = {{QSize(1920, 1080), true, "hd", "none", false},
                                {QSize(3840, 2160), true, "4k", "at most 0.5x", true},
                                {QSize(3840, 2160), false, "4k-smooth", "none", false}};

// The thumbnails that stand (at least partly) in the grid's view.
std::vector<zolvera::ui::PictureView*> visibleThumbnails(const zolvera::ui::Tfrm_Main& window) {
    std::vector<zolvera::ui::PictureView*> visible;
    for (zolvera::ui::Tile* tile : window.controls().sbx2->tiles())
        visible.push_back(tile->image());
    return visible;
}

// Runs the event loop, as the program does when idle, until the tiles in view are painted.
void waitForTheTilesInView(const zolvera::ui::Tfrm_Main& window) {
    zolvera::bench::waitUntilPainted(*window.controls().sbx2);
}

// Processor time of this process, all its threads, in milliseconds.
double ownCpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// Waits, without using the processor, until the cache holds a large thumbnail for each tile.
void waitForTheThumbnails(const std::string& cacheHome, std::size_t tiles) {
    const std::filesystem::path large = cacheHome + "/thumbnails/large";
    const auto deadline = std::chrono::steady_clock::now() + kLongestStore;
    std::error_code error;
    while (std::chrono::steady_clock::now() < deadline) {
        std::size_t stored = 0;
        for (const auto& entry : std::filesystem::directory_iterator(large, error))
            stored += entry.path().extension() == ".png" ? 1 : 0;
        if (stored >= tiles)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    throw std::runtime_error("the thumbnails were not written");
}

// One opening of the photographs' group in a fresh window.
struct Opening {
    double start = 0;     // processor time until the window stands on the empty group
    double build = 0;     // ShowGroup itself: the picture list and the tiles with their headers
    double wall = 0;      // until every tile in view is painted
    double cpu = 0;       // processor time of all threads meanwhile
    double cpuStored = 0; // until the thumbnails of the tiles in view are written as well
    double stall = 0;     // the event loop's longest stall meanwhile
};

Opening showGroup(zolvera::ui::Tfrm_Main& window) {
    zolvera::bench::StallProbe probe;
    probe.start();
    Opening opening;
    const double cpu = ownCpuMilliseconds();
    QElapsedTimer clock;
    clock.start();
    window.ShowGroup(zolvera::bench::kPhotographsGroup);
    opening.build = double(clock.nsecsElapsed()) / 1e6;
    waitForTheTilesInView(window);
    opening.wall = double(clock.nsecsElapsed()) / 1e6;
    opening.cpu = ownCpuMilliseconds() - cpu;
    opening.stall = probe.stop();
    return opening;
}

struct Scrolling {
    int steps = 0;
    double stall = 0;    // the event loop's longest stall
    double lastView = 0; // from the last step until the tiles in view are painted
};

// Turns the mouse wheel over the grid one step at a time, from the top to the bottom.
Scrolling scrollToTheBottom(zolvera::ui::Tfrm_Main& window) {
    zolvera::ui::ScrollBox* grid = window.controls().sbx2;
    QScrollBar* bar = grid->verticalScrollBar();
    bar->setValue(0);
    waitForTheTilesInView(window);
    Scrolling scrolling;
    zolvera::bench::StallProbe probe;
    QTimer wheel;
    wheel.setInterval(kWheelStepMs);
    QObject::connect(&wheel, &QTimer::timeout, [&] {
        const QPointF at(grid->viewport()->rect().center());
        QWheelEvent step(at, grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(grid->viewport(), &step);
        ++scrolling.steps;
    });
    probe.start();
    wheel.start();
    while (bar->value() < bar->maximum())
        zolvera::bench::turnEventLoop(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    wheel.stop();
    QElapsedTimer clock;
    clock.start();
    waitForTheTilesInView(window);
    scrolling.lastView = double(clock.nsecsElapsed()) / 1e6;
    scrolling.stall = probe.stop();
    return scrolling;
}

// What a child process reports: its opening, the tiles in view (their files and the scale they
// are decoded at), and when it scrolled, its scrolling and peak memory.
struct Report {
    Opening opening;
    Scrolling scrolling;
    long before = 0; // the peak memory before the group opened
    long peak = 0;
    int denominator = 1;
    std::vector<std::string> files;
};

// Whether the opening writes thumbnails, whose writing then counts in its processor time.
enum class Thumbnails { Written, NotWritten };

void write(const Report& report, const std::string& file) {
    std::ofstream out(file);
    const Opening& o = report.opening;
    const Scrolling& s = report.scrolling;
    out << o.start << ' ' << o.build << ' ' << o.wall << ' ' << o.cpu << ' ' << o.cpuStored << ' '
        << o.stall << ' ' << s.steps << ' ' << s.stall << ' ' << s.lastView << ' ' << report.before
        << ' ' << report.peak << ' ' << report.denominator << '\n';
    for (const std::string& name : report.files)
        out << name << '\n';
}

Report read(const std::string& file) {
    Report report;
    std::ifstream in(file);
    Opening& o = report.opening;
    Scrolling& s = report.scrolling;
    in >> o.start >> o.build >> o.wall >> o.cpu >> o.cpuStored >> o.stall >> s.steps >> s.stall >>
        s.lastView >> report.before >> report.peak >> report.denominator;
    in.ignore();
    for (std::string name; std::getline(in, name);)
        report.files.push_back(name);
    return report;
}

// In a child: starts the window on the empty group, opens the photographs and, when asked,
// scrolls them to the bottom; the report comes back through a file.
Report openInChild(const QString& home, const std::string& cacheHome, Thumbnails thumbnails,
                   bool scroll, const std::string& reportFile, int argc, char** argv) {
    zolvera::bench::inChild([&] {
        ::setenv("XDG_CACHE_HOME", cacheHome.c_str(), 1);
        QApplication app(argc, argv);
        zolvera::bench::BenchWindows windows(
            (home + QStringLiteral("/registry.reg")).toStdString());
        zolvera::ui::Tfrm_Main window(home.toStdString(), windows.context);
        window.setCommandLine({QStringLiteral("zolvera")}); // no package to offer
        window.show();
        while (!window.firstShown())
            zolvera::bench::turnEventLoop();
        waitForTheTilesInView(window);
        Report report;
        report.before = zolvera::bench::ownPeakKilobytes();
        const double start = ownCpuMilliseconds();
        report.opening = showGroup(window);
        report.opening.start = start;
        const auto visible = visibleThumbnails(window);
        if (thumbnails == Thumbnails::Written)
            waitForTheThumbnails(cacheHome, visible.size());
        report.opening.cpuStored = ownCpuMilliseconds() - start;
        const std::string folder = window.library().groupFolder("Nagy") + "/";
        for (const auto* image : visible)
            report.files.push_back(folder + window.library().pictures().at(image->tag));
        report.denominator =
            zolvera::picture::JpegPicture::load(report.files.front())
                .scaleDenominatorFor(visible.front()->width(), visible.front()->height());
        if (scroll) // the tiles above are gone then
            report.scrolling = scrollToTheBottom(window);
        report.peak = zolvera::bench::ownPeakKilobytes();
        write(report, reportFile);
    });
    return read(reportFile);
}

struct Reference {
    double total = 1e300;
    double cpu = 1e300;
};

Reference djpeg(const std::vector<std::string>& files, int denominator) {
    Reference made{0, 0};
    for (const std::string& file : files) {
        const zolvera::bench::Run run = zolvera::bench::program(
            {"djpeg", "-scale", "1/" + std::to_string(denominator), "-outfile", "/dev/null", file});
        made.total += run.milliseconds;
        made.cpu += run.cpuMilliseconds;
    }
    return made;
}

// The least of each figure over the runs.
void keepLeast(Opening& least, const Opening& run) {
    least.start = std::min(least.start, run.start);
    least.build = std::min(least.build, run.build);
    least.wall = std::min(least.wall, run.wall);
    least.cpu = std::min(least.cpu, run.cpu);
    least.cpuStored = std::min(least.cpuStored, run.cpuStored);
    least.stall = std::max(least.stall, run.stall); // the longest stall counts
}

void keepLeast(Reference& least, const Reference& run) {
    least.total = std::min(least.total, run.total);
    least.cpu = std::min(least.cpu, run.cpu);
}

void printNitrogen(const QString& folder, const Opening& second) {
    const auto nitrogen = zolvera::bench::measureNitrogen(folder.toStdString(), kNitrogenRuns);
    if (const auto* skipped = std::get_if<std::string>(&nitrogen)) {
        std::printf("  Nitrogen on the same folder: skipped, %s\n", skipped->c_str());
        return;
    }
    const auto& figures = std::get<zolvera::bench::NitrogenOpenings>(nitrogen);
    std::printf("  Nitrogen on the same folder (processor time until idle, least of %d, above its"
                " own start of %.1f ms): first opening %.1f ms (every picture), second %.1f ms\n",
                kNitrogenRuns, figures.start, figures.first, figures.second);
    std::printf("  second opening %.1f ms against Nitrogen's second plus the program's own start:"
                " %.1f ms (goal: at most that)\n",
                second.cpu, figures.second + second.start);
}

void measure(const PictureSet& set, const QString& home, int argc, char** argv) {
    const QTemporaryDir caches;
    const std::string reportFile = caches.filePath(QStringLiteral("report")).toStdString();
    // A cache folder that is a file: no thumbnail can be read or written.
    const std::string unwritable = caches.filePath(QStringLiteral("unwritable")).toStdString();
    std::ofstream{unwritable};

    Opening plain{1e300, 1e300, 1e300, 1e300, 1e300, 0}, first = plain, second = plain;
    Reference reference, scaled;
    Report shown;
    // Each run of ours next to one of djpeg's, so that the other work on the machine weighs on
    // both alike.
    for (int run = 0; run < kRuns; ++run) {
        const std::string cacheHome =
            caches.filePath(QStringLiteral("cache%1").arg(run)).toStdString();
        const auto open = [&](const std::string& cache, Thumbnails thumbnails) {
            return openInChild(home, cache, thumbnails, false, reportFile, argc, argv);
        };
        keepLeast(plain, open(unwritable, Thumbnails::NotWritten).opening);
        shown = open(cacheHome, Thumbnails::Written);
        keepLeast(first, shown.opening);
        keepLeast(second, open(cacheHome, Thumbnails::NotWritten).opening);
        keepLeast(reference, djpeg(shown.files, 1));
        keepLeast(scaled, djpeg(shown.files, shown.denominator));
    }
    const Report scrolled =
        openInChild(home, caches.filePath(QStringLiteral("scrolled")).toStdString(),
                    Thumbnails::Written, true, reportFile, argc, argv);

    const int d = shown.denominator;
    std::printf("group of %d pictures %dx%d%s, %zu tiles in view (least of %d runs, each opening a"
                " process of its own; load average %.2f)\n",
                kPictures, set.size.width(), set.size.height(),
                set.grain ? " with grain" : ", smooth", shown.files.size(), kRuns,
                zolvera::bench::loadAverage());
    std::printf("  %-44s %9s %9s %11s\n", "", "painted", "cpu", "cpu+stored");
    const auto row = [](const char* name, const Opening& o) {
        std::printf("  %-44s %6.1f ms %6.1f ms %8.1f ms\n", name, o.wall, o.cpu, o.cpuStored);
    };
    row("first opening, thumbnails not cached", plain);
    row("first opening, thumbnails written", first);
    row("second opening, thumbnails from the cache", second);
    std::printf("  second opening: %.2fx of the first's processor time (goal: at most 0.25x);"
                " the program's own start: %.1f ms\n",
                second.cpu / first.cpu, second.start);
    std::printf("  djpeg on the same pictures: %8.1f ms (cpu %.1f ms), at 1/%d: %8.1f ms (cpu %.1f"
                " ms); first opening %.2fx of djpeg at 1/%d (goal: %s), on two free cores %.2fx\n",
                reference.total, reference.cpu, d, scaled.total, scaled.cpu,
                first.wall / scaled.total, d, set.goal, first.cpu / 2 / scaled.cpu);
    if (set.nitrogen)
        printNitrogen(home + QStringLiteral("/Hatterek/Nagy"), second);
    std::printf("  of which building the %d tiles: %.1f ms\n", kPictures, first.build);
    std::printf("  longest stall of the event loop (goal: at most 50 ms): %.1f ms while opening "
                "the group, %.1f ms while scrolling it in %d wheel steps of %d ms\n",
                std::max({plain.stall, first.stall, second.stall}), scrolled.scrolling.stall,
                scrolled.scrolling.steps, kWheelStepMs);
    std::printf("  after the last wheel step, the tiles in view painted in %.1f ms\n",
                scrolled.scrolling.lastView);
    const double decodedMb = set.size.width() * set.size.height() * 3 / 1048576.0;
    std::printf("  peak memory after scrolling: %8.1f MB (%.1f MB before the group opened)    one"
                " decoded picture: %.1f MB, %d decoded: %.0f MB\n",
                scrolled.peak / 1024.0, scrolled.before / 1024.0, decodedMb, kPictures,
                decodedMb * kPictures);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    return zolvera::bench::benchMain(argc, argv, [&](const std::string& root) {
        for (const PictureSet& set : kSets) {
            const QString home =
                QString::fromStdString(root) + QLatin1Char('/') + QLatin1String(set.folder);
            zolvera::bench::preparePhotoLibrary(home, kPictures, set.size, set.grain, argc, argv);
            measure(set, home, argc, argv);
        }
    });
}
