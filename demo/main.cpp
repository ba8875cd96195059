// zolvera-demo <folder>: fills a folder with a ready-to-use picture library: groups of painted
// wallpapers with their covers, cover templates, an empty download folder and the group list.
// zolvera-demo --templates <folder>: only the cover templates.
// zolvera-demo --packages <folder>: writes a few packages of groups the library lacks.
// zolvera-demo --server <folder> <host:port>: names the web server in the library's settings.

#include "DemoPackages.h"
#include "DemoPictures.h"

#include "library/GroupListFile.h"
#include "library/LibraryLayout.h"
#include "library/StringList.h"
#include "platform/Profile.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using zolvera::demo::Pattern;

constexpr QSize kFullHd(1920, 1080);

struct DemoPicture {
    const char* fileName;
    std::function<QImage()> paint;
};

constexpr QSize kCoverSize(142, 100);

struct DemoGroup {
    const char* name;
    std::function<QImage()> coverArt;
    std::vector<DemoPicture> pictures;
};

QImage gray(QImage image) {
    return image.convertToFormat(QImage::Format_Grayscale8);
}

std::vector<DemoGroup> demoGroups() {
    using zolvera::demo::landscape;
    using zolvera::demo::pattern;
    return {
        {"Tájképek",
         [] { return landscape(1, 11, kCoverSize); },
         {
             {"hajnal a hegyekben.jpg", [] { return landscape(0, 101, kFullHd); }},
             {"tó délben.jpg", [] { return landscape(1, 102, kFullHd); }},
             {"esti part.jpg", [] { return landscape(2, 103, kFullHd); }},
             {"holdfény.jpg", [] { return landscape(3, 104, kFullHd); }},
             {"dombok.jpg", [] { return landscape(4, 105, kFullHd); }},
             {"dűnék.jpg", [] { return landscape(5, 106, kFullHd); }},
             {"völgy.jpg", [] { return landscape(0, 107, QSize(1600, 1200)); }},
             {"tengerszem.jpg", [] { return landscape(1, 108, kFullHd); }},
             {"csillagos ég.jpg", [] { return landscape(3, 109, kFullHd); }},
         }},
        {"Naplementék",
         [] { return landscape(2, 12, kCoverSize); },
         {
             {"naplemente 1.jpg", [] { return landscape(2, 201, kFullHd); }},
             {"naplemente 2.jpg", [] { return landscape(2, 202, QSize(1680, 1050)); }},
             {"alkony a dűnéken.jpg", [] { return landscape(5, 203, kFullHd); }},
             {"vörös ég.jpg", [] { return pattern(Pattern::Rays, 15, 204, kFullHd); }},
             {"esti hullámok.jpg", [] { return pattern(Pattern::Waves, 20, 205, kFullHd); }},
             {"parázs.jpg", [] { return pattern(Pattern::Bokeh, 30, 206, kFullHd); }},
         }},
        {"Őszi színek",
         [] { return pattern(Pattern::Bokeh, 30, 13, kCoverSize); },
         {
             {"őszi dombok.jpg", [] { return landscape(4, 301, kFullHd); }},
             {"rozsdás hullámok.jpg", [] { return pattern(Pattern::Waves, 25, 302, kFullHd); }},
             {"lehulló levelek.jpg", [] { return pattern(Pattern::Bokeh, 35, 303, kFullHd); }},
             {"falevél mozaik.jpg", [] { return pattern(Pattern::Mosaic, 28, 304, kFullHd); }},
             {"ködös reggel.jpg", [] { return gray(landscape(4, 305, kFullHd)); }},
         }},
        {"Absztrakt minták",
         [] { return pattern(Pattern::Mosaic, 200, 14, kCoverSize); },
         {
             {"kék hullámok.jpg", [] { return pattern(Pattern::Waves, 210, 401, kFullHd); }},
             {"fénypöttyök.jpg", [] { return pattern(Pattern::Bokeh, 280, 402, kFullHd); }},
             {"csíkok.jpg", [] { return pattern(Pattern::Stripes, 170, 403, kFullHd); }},
             {"mozaik.jpg", [] { return pattern(Pattern::Mosaic, 200, 404, kFullHd); }},
             {"sugarak.jpg", [] { return pattern(Pattern::Rays, 50, 405, QSize(1280, 1024)); }},
             {"zöld csíkok.jpg", [] { return pattern(Pattern::Stripes, 110, 406, kFullHd); }},
             {"szürke mozaik.jpg",
              [] { return gray(pattern(Pattern::Mosaic, 220, 407, kFullHd)); }},
         }},
        {"Fekete-fehér",
         [] { return gray(landscape(0, 15, kCoverSize)); },
         {
             {"hegyek.jpg", [] { return gray(landscape(0, 501, kFullHd)); }},
             {"tó.jpg", [] { return gray(landscape(1, 502, kFullHd)); }},
             {"éjszaka.jpg", [] { return gray(landscape(3, 503, kFullHd)); }},
             {"hullámok.jpg", [] { return gray(pattern(Pattern::Waves, 0, 504, kFullHd)); }},
             {"fénypontok.jpg", [] { return gray(pattern(Pattern::Bokeh, 0, 505, kFullHd)); }},
         }},
    };
}

void makeFolder(const QString& path) {
    if (!QDir().mkpath(path))
        throw std::runtime_error("cannot create " + path.toStdString());
}

// The cover templates, which an installed program also gives every new library.
void writeTemplates(const QString& templates) {
    makeFolder(templates);
    const std::pair<const char*, int> templateScenes[] = {
        {"hegyek.jpg", 0}, {"tó.jpg", 1}, {"tenger.jpg", 2}, {"éjszaka.jpg", 3}, {"ősz.jpg", 4}};
    for (const auto& [fileName, scene] : templateScenes)
        zolvera::demo::saveJpeg(
            zolvera::demo::landscape(scene, 900u + unsigned(scene), QSize(142, 100)),
            templates + QLatin1Char('/') + QString::fromUtf8(fileName));
}

// A path of the demo library's layout as a QString.
QString inLibrary(const QString& home, std::string (*where)(const std::string&)) {
    return QString::fromStdString(where(home.toStdString()));
}

void writeDemoLibrary(const QString& home) {
    using zolvera::demo::cover;
    using zolvera::demo::saveJpeg;
    namespace library = zolvera::library;

    makeFolder(inLibrary(home, library::downloadsFolder));
    writeTemplates(inLibrary(home, library::templatesFolder));

    zolvera::library::StringList names;
    for (const DemoGroup& group : demoGroups()) {
        const QString name = QString::fromUtf8(group.name);
        const QString folder = inLibrary(home, library::groupsFolder) + QLatin1Char('/') + name;
        makeFolder(folder);
        saveJpeg(cover(group.coverArt(), name), folder + QStringLiteral("/init.jpg"));
        for (const DemoPicture& picture : group.pictures)
            saveJpeg(picture.paint(),
                     folder + QLatin1Char('/') + QString::fromUtf8(picture.fileName));
        names.add(group.name);
        std::printf("%s: %zu pictures\n", group.name, group.pictures.size());
    }
    library::saveGroupList(library::groupListFile(home.toStdString()), names);
}

} // namespace

int main(int argc, char* argv[]) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (!(argc == 2 && mode[0] != '-') &&
        !(argc == 3 && (mode == "--templates" || mode == "--packages")) &&
        !(argc == 4 && mode == "--server")) {
        std::fprintf(stderr, "usage: zolvera-demo <folder>\n"
                             "       zolvera-demo --templates <folder>\n"
                             "       zolvera-demo --packages <folder>\n"
                             "       zolvera-demo --server <folder> <host:port>\n");
        return 2;
    }
    if (mode == "--server")
        return zolvera::platform::writeProfileString(zolvera::library::settingsFile(argv[2]),
                                                     "Internet", "Server", argv[3])
                   ? 0
                   : 1;
    // Painting needs fonts but never a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    try {
        const QString folder = QDir(QString::fromLocal8Bit(argv[argc - 1])).absolutePath();
        if (mode == "--templates")
            writeTemplates(folder);
        else if (mode == "--packages")
            zolvera::demo::writeDemoPackages(folder);
        else
            writeDemoLibrary(folder);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "zolvera-demo: %s\n", failure.what());
        return 1;
    }
    return 0;
}
