#include "PhotoLibrary.h"

#include "artwork/Scenery.h"

#include "BenchTools.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

namespace zolvera::bench {

namespace {

// Landscapes, with grain when asked, so that they compress and decode like photographs.
QImage photograph(QSize size, bool grain, int index) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    ui::Scene scene = ui::presetScene(index);
    scene.seed = unsigned(index) + 1;
    ui::paintScene(painter, QRectF(image.rect()), scene);
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

void writeCover(const QString& group) {
    QDir().mkpath(group);
    QImage(142, 100, QImage::Format_RGB32).save(group + QStringLiteral("/init.jpg"), "jpeg");
}

void writePhotographs(const QString& group, int pictures, QSize size, bool grain) {
    writeCover(group);
    // A few distinct photographs, written over and over: the decoding work is the same.
    std::vector<QImage> originals;
    for (int i = 0; i < 6; ++i)
        originals.push_back(photograph(size, grain, i));
    for (int i = 0; i < pictures; ++i) {
        QImageWriter writer(group + QStringLiteral("/kep%1.jpg").arg(i, 3, 10, QLatin1Char('0')),
                            "jpeg");
        writer.setQuality(90);
        writer.write(originals[std::size_t(i) % originals.size()]);
    }
}

} // namespace

void preparePhotoLibrary(const QString& home, int pictures, QSize size, bool grain, int argc,
                         char** argv) {
    const QString list = home + QStringLiteral("/Zolvera.lst");
    const QString photographs = home + QStringLiteral("/Hatterek/Nagy");
    if (!QFileInfo::exists(photographs + QStringLiteral("/init.jpg"))) {
        std::printf("making %d pictures of %dx%d in %s ...\n", pictures, size.width(),
                    size.height(), qPrintable(home));
        std::fflush(stdout);
        inChild([&] {
            QGuiApplication app(argc, argv);
            writePhotographs(photographs, pictures, size, grain);
        });
    }
    if (!QFileInfo::exists(home + QStringLiteral("/Hatterek/Kezdet/init.jpg")))
        inChild([&] {
            QGuiApplication app(argc, argv);
            writeCover(home + QStringLiteral("/Hatterek/Kezdet"));
        });
    std::ofstream(list.toStdString()) << "Kezdet\r\nNagy\r\n";
}

} // namespace zolvera::bench
