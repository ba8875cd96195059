// A hundred thousand entries in the main window: a group of 100,000 pictures, and a group list
// of 100,000 lines, once naming one group over and over and once naming 100,000 groups. For
// each: the time from the start to the tiles in view painted (and, for the pictures, from
// showing the group again), goal at most 1 s; the event loop's longest stall while the area
// is scrolled with the mouse wheel and by dragging its scroll bar, goal at most 50 ms; and the
// memory each entry adds, goal at most 200 bytes: the peak of a run with 100,000 entries less
// that of a run with one, shared out. Each run is a process of its own.
//
//     entries_bench [folder]   (the libraries are made there once; a temporary folder otherwise)

#include "ui/Main.h"

#include "BenchTools.h"
#include "BenchWindows.h"
#include "EventLoop.h"
#include "StallProbe.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QWheelEvent>

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

constexpr int kEntries = 100'000;
constexpr int kWheelSteps = 100;
constexpr int kWheelStepMs = 20;
constexpr int kDrags = 40;
constexpr int kDragStepMs = 50;

enum class Kind { Pictures, RepeatedGroup, Groups };

struct Library {
    Kind kind;
    const char* folder;
    const char* what;
};
constexpr Library kLibraries[] = {
    {Kind::Pictures, "pictures", "a group of %d pictures"},
    {Kind::RepeatedGroup, "repeated", "a list naming one group %d times"},
    {Kind::Groups, "groups", "a list of %d groups"},
};

void writePhoto(const QString& path, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, QColor(40, 90, 160));
    gradient.setColorAt(1, QColor(230, 180, 90));
    painter.fillRect(image.rect(), gradient);
    painter.end();
    image.save(path, "jpeg", 90);
}

// Every picture and cover is a link to one file: a hundred thousand files cost no more disk
// than one, and each is still opened and read as a file of its own.
void link(const QString& target, const QString& path) {
    if (!QFile::link(target, path))
        throw std::runtime_error("cannot make " + path.toStdString());
}

void writeLibrary(const QString& home, Kind kind, int entries) {
    QDir().mkpath(home + QStringLiteral("/Hatterek"));
    writePhoto(home + QStringLiteral("/photo.jpg"), QSize(1920, 1080));
    writePhoto(home + QStringLiteral("/cover.jpg"), QSize(142, 100));
    const QString cover = home + QStringLiteral("/cover.jpg");
    std::ofstream list(QString(home + QStringLiteral("/Zolvera.lst")).toStdString(),
                       std::ios::binary);
    const auto group = [&](const QString& name) {
        const QString folder = home + QStringLiteral("/Hatterek/") + name;
        QDir().mkpath(folder);
        link(cover, folder + QStringLiteral("/init.jpg"));
        return folder;
    };
    switch (kind) {
    case Kind::Pictures: {
        const QString folder = group(QStringLiteral("Sok"));
        for (int i = 0; i < entries; ++i)
            link(home + QStringLiteral("/photo.jpg"),
                 folder + QStringLiteral("/kep%1.jpg").arg(i, 6, 10, QLatin1Char('0')));
        list << "Sok\r\n";
        break;
    }
    case Kind::RepeatedGroup:
        group(QStringLiteral("Egy"));
        for (int i = 0; i < entries; ++i)
            list << "Egy\r\n";
        break;
    case Kind::Groups:
        for (int i = 0; i < entries; ++i) {
            const QString name = QStringLiteral("Csoport%1").arg(i, 6, 10, QLatin1Char('0'));
            group(name);
            list << name.toStdString() << "\r\n";
        }
        break;
    }
}

// Makes the library in a child process, so that its memory does not count as ours.
void prepare(const QString& home, Kind kind, int entries, int argc, char** argv) {
    if (QFileInfo::exists(home + QStringLiteral("/Zolvera.lst")))
        return;
    std::printf("making %s ...\n", qPrintable(home));
    std::fflush(stdout);
    zolvera::bench::inChild([&] {
        QGuiApplication app(argc, argv);
        writeLibrary(home, kind, entries);
    });
}

double since(const QElapsedTimer& clock) {
    return double(clock.nsecsElapsed()) / 1e6;
}

// The longest stall while the mouse wheel turns over the area and then its scroll bar is
// dragged to places all over its range.
double scroll(zolvera::ui::ScrollBox& area) {
    QScrollBar* bar = area.verticalScrollBar();
    zolvera::bench::StallProbe probe;
    probe.start();
    for (int step = 0; step < kWheelSteps; ++step) {
        const QPointF at(area.viewport()->rect().center());
        QWheelEvent wheel(at, area.viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(area.viewport(), &wheel);
        QElapsedTimer pause;
        pause.start();
        while (pause.elapsed() < kWheelStepMs)
            zolvera::bench::turnEventLoop();
    }
    QRandomGenerator random(1);
    for (int drag = 0; drag < kDrags; ++drag) {
        bar->setValue(int(random.bounded(bar->maximum() + 1)));
        QElapsedTimer pause;
        pause.start();
        while (pause.elapsed() < kDragStepMs)
            zolvera::bench::turnEventLoop();
    }
    zolvera::bench::waitUntilPainted(area);
    return probe.stop();
}

struct Figures {
    double start = 0;   // from showing the window to the tiles in view painted
    double showing = 0; // showing the group again, to the tiles in view painted
    double stall = 0;   // the longest stall while scrolling
    long peakKb = 0;    // the process's peak memory
};

Figures measure(Kind kind, const QString& home, int argc, char** argv) {
    QApplication app(argc, argv);
    zolvera::bench::BenchWindows windows((home + QStringLiteral("/registry.reg")).toStdString());
    zolvera::ui::Tfrm_Main window(home.toStdString(), windows.context);
    window.setCommandLine({QStringLiteral("zolvera")}); // no package to offer
    zolvera::ui::ScrollBox& area =
        *(kind == Kind::Pictures ? window.controls().sbx2 : window.controls().sbx1);

    Figures figures;
    QElapsedTimer clock;
    clock.start();
    window.show();
    while (!window.firstShown())
        zolvera::bench::turnEventLoop();
    zolvera::bench::waitUntilPainted(*window.controls().sbx1);
    zolvera::bench::waitUntilPainted(*window.controls().sbx2);
    figures.start = since(clock);
    if (kind == Kind::Pictures) {
        clock.start();
        window.ShowGroup(0);
        zolvera::bench::waitUntilPainted(area);
        figures.showing = since(clock);
    }
    figures.stall = scroll(area);
    figures.peakKb = zolvera::bench::ownPeakKilobytes();
    return figures;
}

// Runs the measurement in a child, which hands its figures back through a file.
Figures measured(Kind kind, const QString& home, int argc, char** argv) {
    const std::string results = (home + QStringLiteral("/figures")).toStdString();
    zolvera::bench::inChild([&] {
        const Figures figures = measure(kind, home, argc, argv);
        std::ofstream(results) << figures.start << ' ' << figures.showing << ' ' << figures.stall
                               << ' ' << figures.peakKb << '\n';
    });
    Figures figures;
    std::ifstream(results) >> figures.start >> figures.showing >> figures.stall >> figures.peakKb;
    return figures;
}

} // namespace

int main(int argc, char** argv) {
    return zolvera::bench::benchMain(argc, argv, [&](const std::string& folder) {
        const QString root = QString::fromStdString(folder);
        for (const Library& library : kLibraries) {
            const QString home = root + QLatin1Char('/') + QLatin1String(library.folder);
            const QString one = home + QStringLiteral("-one");
            prepare(home, library.kind, kEntries, argc, argv);
            prepare(one, library.kind, 1, argc, argv);
            const Figures many = measured(library.kind, home, argc, argv);
            const Figures single = measured(library.kind, one, argc, argv);

            std::printf(library.what, kEntries);
            std::printf(
                "\n  from the start to the tiles in view painted: %8.1f ms (with one: %.1f ms;"
                " goal: at most 1000 ms)\n",
                many.start, single.start);
            if (library.kind == Kind::Pictures)
                std::printf("  showing the group again, to the tiles in view painted: %8.1f ms"
                            " (goal: at most 1000 ms)\n",
                            many.showing);
            std::printf("  longest stall of the event loop while scrolling (%d wheel steps, %d"
                        " drags of the scroll bar): %.1f ms (goal: at most 50 ms)\n",
                        kWheelSteps, kDrags, many.stall);
            std::printf("  peak memory: %.1f MB, with one entry %.1f MB: %.0f bytes per entry"
                        " (goal: at most 200)\n",
                        many.peakKb / 1024.0, single.peakKb / 1024.0,
                        double(many.peakKb - single.peakKb) * 1024.0 / (kEntries - 1));
            std::fflush(stdout);
        }
    });
}
