#include "DemoPackages.h"

#include "DemoPictures.h"
#include "packages/PackFolder.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <stdexcept>
#include <vector>

namespace zolvera::demo {

namespace {

constexpr QSize kFullHd(1920, 1080);

struct DemoPackage {
    const char* fileName; // the package file, without ".dta"
    const char* group;
    std::function<QImage(unsigned seed, QSize size)> paint;
};

} // namespace

void writeDemoPackages(const QString& folder) {
    const std::vector<DemoPackage> packages = {
        {"tenger", "Tenger", [](unsigned seed, QSize size) { return landscape(2, seed, size); }},
        {"osz_erdo", "Őszi erdő",
         [](unsigned seed, QSize size) { return landscape(4, seed, size); }},
        {"fenyek", "Esti fények",
         [](unsigned seed, QSize size) {
             return pattern(Pattern::Bokeh, int(seed % 360), seed, size);
         }},
    };
    QTemporaryDir staging;
    if (!staging.isValid() || !QDir().mkpath(folder))
        throw std::runtime_error("cannot prepare " + folder.toStdString());
    unsigned seed = 700;
    for (const DemoPackage& package : packages) {
        const QString group = QString::fromUtf8(package.group);
        const QString groupFolder = staging.filePath(group);
        QDir().mkpath(groupFolder);
        saveJpeg(cover(package.paint(seed++, QSize(142, 100)), group),
                 groupFolder + QStringLiteral("/init.jpg"));
        for (int i = 1; i <= 4; ++i)
            saveJpeg(package.paint(seed++, kFullHd),
                     groupFolder + QStringLiteral("/%1 %2.jpg").arg(group).arg(i));
        const QString target = folder + QLatin1Char('/') + QString::fromUtf8(package.fileName) +
                               QStringLiteral(".dta");
        packages::PackFolder(groupFolder.toStdString(), target.toStdString());
        std::printf("%s: %s\n", package.group, target.toLocal8Bit().constData());
    }
}

} // namespace zolvera::demo
