// Showing a group of 200 pictures in the main window, once full-HD and once 4K: the time until
// the tiles in view are painted, beside djpeg decoding the same pictures one after the other at
// full size and at the scale the tiles are decoded at;
// the event loop's longest stall while the group is shown and while the grid is scrolled from
// top to bottom with the mouse wheel; and the peak memory, beside the size of one decoded
// picture. Each size is measured in a process of its own, so that its peak memory is its own.
//
//     showgroup_bench [folder]   (the pictures are made there once; a temporary folder otherwise)

#include "artwork/Scenery.h"
#include "library/GroupLibrary.h"
#include "picture/Picture.h"
#include "ui/Dialogs.h"
#include "ui/Main.h"

#include "BenchTools.h"
#include "BenchWindows.h"
#include "EventLoop.h"
#include "StallProbe.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr int kPictures = 200;
constexpr int kRuns = 5;
constexpr int kWheelStepMs = 50; // a quick turn of the wheel

struct PictureSet {
    QSize size;
    bool grain;
    const char* folder;
    const char* goal; // the time to paint the tiles in view, against djpeg at the scale used
};
constexpr PictureSet kSets[] = {{QSize(1920, 1080), true, "hd", "none"},
                                {QSize(3840, 2160), true, "4k", "at most 0.6x"},
                                {QSize(3840, 2160), false, "4k-smooth", "none"}};

// Landscapes, with grain when asked, so that they compress and decode like photographs.
QImage photograph(QSize size, bool grain, int index) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    zolvera::ui::Scene scene = zolvera::ui::presetScene(index);
    scene.seed = unsigned(index) + 1;
    zolvera::ui::paintScene(painter, QRectF(image.rect()), scene);
    painter.end();
    if (!grain)
        return image;
    QRandomGenerator random{unsigned(index)};
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int noise = int(random.bounded(25)) - 12;
            const QRgb p = line[x];
            line[x] =
                qRgb(std::clamp(qRed(p) + noise, 0, 255), std::clamp(qGreen(p) + noise, 0, 255),
                     std::clamp(qBlue(p) + noise, 0, 255));
        }
    }
    return image;
}

void writeLibrary(const QString& home, QSize size, bool grain) {
    const QString group = home + QStringLiteral("/Hatterek/Nagy");
    QDir().mkpath(group);
    QImage(142, 100, QImage::Format_RGB32).save(group + QStringLiteral("/init.jpg"), "jpeg");
    // A few distinct photographs, written over and over: the decoding work is the same.
    std::vector<QImage> originals;
    for (int i = 0; i < 6; ++i)
        originals.push_back(photograph(size, grain, i));
    for (int i = 0; i < kPictures; ++i) {
        QImageWriter writer(group + QStringLiteral("/kep%1.jpg").arg(i, 3, 10, QLatin1Char('0')),
                            "jpeg");
        writer.setQuality(90);
        writer.write(originals[std::size_t(i) % originals.size()]);
    }
    std::ofstream(QString(home + QStringLiteral("/Zolvera.lst")).toStdString()) << "Nagy\r\n";
}

// Makes the pictures in a child process, so that its memory does not count as ours.
void prepare(const QString& home, QSize size, bool grain, int argc, char** argv) {
    if (QFileInfo::exists(home + QStringLiteral("/Zolvera.lst")))
        return;
    std::printf("making %d pictures of %dx%d in %s ...\n", kPictures, size.width(), size.height(),
                qPrintable(home));
    std::fflush(stdout);
    zolvera::bench::inChild([&] {
        QGuiApplication app(argc, argv);
        writeLibrary(home, size, grain);
    });
}

// The thumbnails that stand (at least partly) in the grid's view.
std::vector<zolvera::ui::PictureView*> visibleThumbnails(const zolvera::ui::Tfrm_Main& window) {
    std::vector<zolvera::ui::PictureView*> visible;
    for (zolvera::ui::Tile* tile : window.controls().sbx2->tiles())
        visible.push_back(tile->image());
    return visible;
}

// Turns the event loop, as the program does when idle, until the tiles in view are painted.
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

struct Timing {
    double build = 0; // ShowGroup itself: the picture list and the tiles with their headers
    double total = 0; // until every tile in view is painted
    double stall = 0; // the event loop's longest stall meanwhile
    double cpu = 0;   // processor time of all threads meanwhile
};

Timing showGroup(zolvera::ui::Tfrm_Main& window) {
    zolvera::bench::StallProbe probe;
    probe.start();
    const double cpu = ownCpuMilliseconds();
    QElapsedTimer clock;
    clock.start();
    window.ShowGroup(0);
    Timing timing;
    timing.build = double(clock.nsecsElapsed()) / 1e6;
    waitForTheTilesInView(window);
    timing.total = double(clock.nsecsElapsed()) / 1e6;
    timing.cpu = ownCpuMilliseconds() - cpu;
    timing.stall = probe.stop();
    return timing;
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

struct Reference {
    double total = 1e300;
    double cpu = 1e300;
};

Reference djpeg(const QStringList& files, int denominator) {
    Reference made{0, 0};
    for (const QString& file : files) {
        const zolvera::bench::Run run =
            zolvera::bench::program({"djpeg", "-scale", "1/" + std::to_string(denominator),
                                     "-outfile", "/dev/null", file.toStdString()});
        made.total += run.milliseconds;
        made.cpu += run.cpuMilliseconds;
    }
    return made;
}

void measure(const PictureSet& set, const QString& home, int argc, char** argv) {
    QApplication app(argc, argv);
    zolvera::bench::BenchWindows windows((home + QStringLiteral("/registry.reg")).toStdString());
    zolvera::ui::Tfrm_Main window(home.toStdString(), windows.context);
    window.setCommandLine({QStringLiteral("zolvera")});     // no package to offer
    const long before = zolvera::bench::ownPeakKilobytes(); // the program without any picture shown
    window.show();
    while (!window.firstShown())
        zolvera::bench::turnEventLoop();
    waitForTheTilesInView(window);

    // The files of the tiles in view once the group is shown, for djpeg.
    window.ShowGroup(0);
    waitForTheTilesInView(window);
    QStringList files;
    const std::string folder = window.library().groupFolder("Nagy");
    const auto visible = visibleThumbnails(window);
    for (const auto* image : visible)
        files << QString::fromStdString(folder + "/" + window.library().pictures().at(image->tag));
    const int denominator =
        zolvera::picture::JpegPicture::load(files.front().toStdString())
            .scaleDenominatorFor(visible.front()->width(), visible.front()->height());

    // Each run of ours next to one of djpeg's, so that the other work on the machine weighs on
    // both alike.
    Timing best{1e300, 1e300, 1e300, 1e300};
    double longestShowStall = 0;
    double leastCpu = 1e300;
    Reference reference, scaled;
    for (int run = 0; run < kRuns; ++run) {
        const Timing timing = showGroup(window);
        longestShowStall = std::max(longestShowStall, timing.stall);
        leastCpu = std::min(leastCpu, timing.cpu);
        if (timing.total < best.total)
            best = timing;
        const Reference made = djpeg(files, 1);
        reference.total = std::min(reference.total, made.total);
        reference.cpu = std::min(reference.cpu, made.cpu);
        const Reference madeScaled = djpeg(files, denominator);
        scaled.total = std::min(scaled.total, madeScaled.total);
        scaled.cpu = std::min(scaled.cpu, madeScaled.cpu);
    }
    const Scrolling scrolling = scrollToTheBottom(window);
    const long peak = zolvera::bench::ownPeakKilobytes();

    const double decodedMb = set.size.width() * set.size.height() * 3 / 1048576.0;
    std::printf("group of %d pictures %dx%d%s, %zu tiles in view (best of %d runs)\n", kPictures,
                set.size.width(), set.size.height(), set.grain ? " with grain" : ", smooth",
                visible.size(), kRuns);
    std::printf(
        "  time to paint the tiles in view: %8.1f ms    djpeg on the same pictures: %8.1f ms"
        " (%.2fx), at 1/%d: %8.1f ms (%.2fx; goal: %s)\n",
        best.total, reference.total, best.total / reference.total, denominator, scaled.total,
        best.total / scaled.total, set.goal);
    // Other work on the machine stretches the times above; the processor time shows what two
    // free cores would give.
    std::printf("  processor time: %8.1f ms (all threads)           djpeg: %8.1f ms, at 1/%d:"
                " %8.1f ms (on two free cores: %.2fx of djpeg, %.2fx at 1/%d)\n",
                leastCpu, reference.cpu, denominator, scaled.cpu, leastCpu / 2 / reference.cpu,
                leastCpu / 2 / scaled.cpu, denominator);
    std::printf("  of which building the %d tiles: %.1f ms\n", kPictures, best.build);
    std::printf("  longest stall of the event loop (goal: at most 50 ms): %.1f ms while showing "
                "the group, %.1f ms while scrolling it in %d wheel steps of %d ms\n",
                longestShowStall, scrolling.stall, scrolling.steps, kWheelStepMs);
    std::printf("  after the last wheel step, the tiles in view painted in %.1f ms\n",
                scrolling.lastView);
    std::printf(
        "  peak memory: %8.1f MB (%.1f MB before the first show)    one decoded picture: %.1f MB,"
        " %d decoded: %.0f MB\n",
        peak / 1024.0, before / 1024.0, decodedMb, kPictures, decodedMb * kPictures);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    return zolvera::bench::benchMain(argc, argv, [&](const std::string& folder) {
        const QString root = QString::fromStdString(folder);
        for (const PictureSet& set : kSets) {
            const QString home = root + QLatin1Char('/') + QLatin1String(set.folder);
            prepare(home, set.size, set.grain, argc, argv);
            zolvera::bench::inChild([&] { measure(set, home, argc, argv); });
        }
    });
}
