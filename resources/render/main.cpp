// zolvera-render: makes the build's artwork and documents from the project's sources.
//   zolvera-render about OUT.jpg [LANGUAGE]      the about picture, in Hungarian or LANGUAGE
//   zolvera-render icon IN.svg SIZE OUT.png      the program's icon at one size
//   zolvera-render help IN.html OUT.pdf          the help document, A4, with Qt's PDF writer,
//                                                dated SOURCE_DATE_EPOCH when it is set

#include "AboutArt.h"

#include "library/BuildInfo.h"
#include "platform/UiLanguage.h"

#include <QDateTime>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>
#include <QTextDocument>
#include <QTimeZone>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {

void writeImage(const QImage& image, const QString& path, const char* format) {
    QImageWriter writer(path, format);
    writer.setQuality(92);
    if (!writer.write(image))
        throw std::runtime_error("cannot write " + path.toStdString() + ": " +
                                 writer.errorString().toStdString());
}

QImage renderIcon(const QString& svg, int size) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        throw std::runtime_error("cannot read " + svg.toStdString());
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    renderer.render(&painter);
    return icon;
}

// Qt's PDF writer stamps the document with the time of writing and has no setter for it. With
// SOURCE_DATE_EPOCH set, that time replaces the stamp's digits in place (the same length, so
// the cross-reference offsets stay right) and two builds of one source give the same file.
void stampSourceDate(const QString& pdf) {
    const QByteArray epoch = qgetenv("SOURCE_DATE_EPOCH");
    if (epoch.isEmpty())
        return;
    bool number = false;
    const qint64 seconds = epoch.toLongLong(&number);
    if (!number)
        throw std::runtime_error("SOURCE_DATE_EPOCH is not a number: " + epoch.toStdString());
    const QByteArray date = QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc())
                                .toString(QStringLiteral("yyyyMMddHHmmss"))
                                .toLatin1();
    QFile file(pdf);
    const QByteArray key = "/CreationDate (D:";
    const qsizetype at = file.open(QIODevice::ReadWrite) ? file.readAll().indexOf(key) : -1;
    if (at < 0 || date.size() != 14 || !file.seek(at + key.size()) ||
        file.write(date) != date.size())
        throw std::runtime_error("cannot date " + pdf.toStdString());
}

void renderHelp(const QString& html, const QString& pdf) {
    QFile source(html);
    if (!source.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + html.toStdString());
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    document.setHtml(QString::fromUtf8(source.readAll()));

    QPdfWriter writer(pdf);
    writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
    writer.setCreator(QStringLiteral("Zolvera ") + QString::fromUtf8(zolvera::library::kVersion));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(20, 18, 20, 18), QPageLayout::Millimeter));
    writer.setResolution(300);
    document.print(&writer);
    if (!QFile::exists(pdf))
        throw std::runtime_error("cannot write " + pdf.toStdString());
    stampSourceDate(pdf);
}

void run(const QStringList& arguments) {
    const QString command = arguments.value(1);
    if (command == QLatin1String("about") && (arguments.size() == 3 || arguments.size() == 4)) {
        zolvera::platform::installUiLanguage(
            *QCoreApplication::instance(),
            {arguments.value(3, zolvera::platform::kSourceLanguage)});
        writeImage(zolvera::render::paintAboutArt(), arguments[2], "jpeg");
    } else if (command == QLatin1String("icon") && arguments.size() == 5)
        writeImage(renderIcon(arguments[2], arguments[3].toInt()), arguments[4], "png");
    else if (command == QLatin1String("help") && arguments.size() == 4)
        renderHelp(arguments[2], arguments[3]);
    else
        throw std::invalid_argument("usage: zolvera-render about OUT.jpg [LANGUAGE] | icon "
                                    "IN.svg SIZE OUT.png | help IN.html OUT.pdf");
}

} // namespace

int main(int argc, char* argv[]) {
    // Painting needs fonts but never a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    try {
        run(QCoreApplication::arguments());
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "zolvera-render: %s\n", failure.what());
        return 1;
    }
    return 0;
}
