// Showing a group of 200 full-HD pictures in the main window: the time until the tiles in view
// are painted, beside djpeg decoding the same pictures, and the peak memory, beside the size of
// one decoded picture.
//
//     showgroup_bench [folder]   (the pictures are made there once; a temporary folder otherwise)

#include "library/GroupLibrary.h"
#include "ui/Dialogs.h"
#include "ui/Main.h"
#include "ui/Scenery.h"

#include "BenchTools.h"
#include "PrintingDialogs.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImageWriter>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kPictures = 200;
constexpr QSize kPictureSize(1920, 1080);
constexpr int kRuns = 3;

// Landscapes with fine grain, so that they compress and decode like photographs.
QImage photograph(int index) {
    QImage image(kPictureSize, QImage::Format_RGB32);
    QPainter painter(&image);
    zolvera::ui::Scene scene = zolvera::ui::presetScene(index);
    scene.seed = unsigned(index) + 1;
    zolvera::ui::paintScene(painter, QRectF(image.rect()), scene);
    painter.end();
    QRandomGenerator random{unsigned(index)};
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grain = int(random.bounded(25)) - 12;
            const QRgb p = line[x];
            line[x] =
                qRgb(std::clamp(qRed(p) + grain, 0, 255), std::clamp(qGreen(p) + grain, 0, 255),
                     std::clamp(qBlue(p) + grain, 0, 255));
        }
    }
    return image;
}

void writeLibrary(const QString& home) {
    const QString group = home + QStringLiteral("/Hatterek/Nagy");
    QDir().mkpath(group);
    QImage(142, 100, QImage::Format_RGB32).save(group + QStringLiteral("/init.jpg"), "jpeg");
    // A few distinct photographs, written over and over: the decoding work is the same.
    std::vector<QImage> originals;
    for (int i = 0; i < 6; ++i)
        originals.push_back(photograph(i));
    for (int i = 0; i < kPictures; ++i) {
        QImageWriter writer(group + QStringLiteral("/kep%1.jpg").arg(i, 3, 10, QLatin1Char('0')),
                            "jpeg");
        writer.setQuality(90);
        writer.write(originals[std::size_t(i) % originals.size()]);
    }
    std::ofstream(QString(home + QStringLiteral("/Zolvera.lst")).toStdString()) << "Nagy\r\n";
}

// Makes the pictures in a child process, so that its memory does not count as ours.
bool prepare(const QString& home, int argc, char** argv) {
    if (QFileInfo::exists(home + QStringLiteral("/Zolvera.lst")))
        return true;
    std::printf("making %d pictures of %dx%d in %s ...\n", kPictures, kPictureSize.width(),
                kPictureSize.height(), qPrintable(home));
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        QGuiApplication app(argc, argv);
        writeLibrary(home);
        _exit(0);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// The thumbnails that stand (at least partly) in the grid's view.
std::vector<zolvera::ui::PictureView*> visibleThumbnails(const zolvera::ui::Tfrm_Main& window) {
    std::vector<zolvera::ui::PictureView*> visible;
    const zolvera::ui::ScrollBox* grid = window.controls().sbx2;
    const QRect view = grid->viewport()->rect();
    for (int j = 0; j < grid->count(); ++j) {
        zolvera::ui::Tile* tile = grid->tile(j);
        if (view.intersects(QRect(tile->mapTo(grid->viewport(), QPoint(0, 0)), tile->size())))
            visible.push_back(tile->image());
    }
    return visible;
}

struct Timing {
    double build = 0; // ShowGroup itself: the picture list and the tiles with their headers
    double total = 0; // until every tile in view is painted
};

Timing showGroup(zolvera::ui::Tfrm_Main& window) {
    QElapsedTimer clock;
    clock.start();
    window.ShowGroup(0);
    Timing timing;
    timing.build = double(clock.nsecsElapsed()) / 1e6;
    for (;;) {
        QApplication::processEvents();
        const auto visible = visibleThumbnails(window);
        if (std::all_of(visible.begin(), visible.end(),
                        [](auto* image) { return image->isDecoded(); }))
            break;
    }
    timing.total = double(clock.nsecsElapsed()) / 1e6;
    return timing;
}

double djpegMilliseconds(const QStringList& files) {
    QElapsedTimer clock;
    clock.start();
    for (const QString& file : files) {
        QProcess djpeg;
        djpeg.start(QStringLiteral("djpeg"),
                    {QStringLiteral("-outfile"), QStringLiteral("/dev/null"), file});
        if (!djpeg.waitForFinished(30000) || djpeg.exitCode() != 0) {
            std::fprintf(stderr, "djpeg failed on %s\n", qPrintable(file));
            return -1;
        }
    }
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir temporary;
    const QString home =
        argc > 1 ? QDir(QString::fromLocal8Bit(argv[1])).absolutePath() : temporary.path();
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!prepare(home, argc, argv)) {
        std::fprintf(stderr, "cannot make the pictures\n");
        return 1;
    }

    QApplication app(argc, argv);
    zolvera::bench::PrintingDialogs dialogs;
    zolvera::ui::Tfrm_Main window(home.toStdString(), dialogs);
    const long before = zolvera::bench::ownPeakKilobytes(); // the program without any picture shown
    window.show();
    while (!window.firstShown())
        QApplication::processEvents();

    Timing best{1e300, 1e300};
    for (int run = 0; run < kRuns; ++run) {
        const Timing timing = showGroup(window);
        if (timing.total < best.total)
            best = timing;
    }
    const long peak = zolvera::bench::ownPeakKilobytes();

    const auto visible = visibleThumbnails(window);
    QStringList files;
    const std::string folder = window.library().groupFolder("Nagy");
    for (const auto* image : visible)
        files << QString::fromStdString(folder + "/" + window.library().pictures().at(image->tag));
    double reference = 1e300;
    for (int run = 0; run < kRuns; ++run)
        reference = std::min(reference, djpegMilliseconds(files));

    const double decodedMb = kPictureSize.width() * kPictureSize.height() * 3 / 1048576.0;
    std::printf("group of %d pictures %dx%d, %zu tiles in view (best of %d runs)\n", kPictures,
                kPictureSize.width(), kPictureSize.height(), visible.size(), kRuns);
    std::printf(
        "  time to paint the tiles in view: %8.1f ms    djpeg on the same pictures: %8.1f ms"
        "  (%.2fx)\n",
        best.total, reference, best.total / reference);
    std::printf("  of which building the %d tiles: %.1f ms\n", kPictures, best.build);
    std::printf(
        "  peak memory: %8.1f MB (%.1f MB before the first show)    one decoded picture: %.1f MB,"
        " %d decoded: %.0f MB\n",
        peak / 1024.0, before / 1024.0, decodedMb, kPictures, decodedMb * kPictures);
    return 0;
}
