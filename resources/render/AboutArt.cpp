#include "AboutArt.h"

#include "artwork/LogoArt.h"
#include "artwork/Scenery.h"
#include "library/BuildInfo.h"

#include <QCoreApplication>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>

namespace zolvera::render {

namespace {

constexpr QSize kArtSize(333, 250);

QFont font(const char* family, int pixels, bool bold) {
    QFont result(QString::fromLatin1(family));
    result.setPixelSize(pixels);
    result.setBold(bold);
    return result;
}

// The name in warm gradient letters with a dark outline, as on the splash screen.
void paintName(QPainter& painter) {
    ui::paintNameLettering(painter, font("DejaVu Serif", 46, true), kArtSize.width() / 2.0, 62);
}

void paintLines(QPainter& painter) {
    const QString version = QCoreApplication::translate("AboutArt", "Verzió %1")
                                .arg(QString::fromUtf8(library::kVersion));
    painter.setFont(font("DejaVu Sans", 13, true));
    painter.setPen(QColor(255, 240, 210));
    painter.drawText(QRectF(0, 70, kArtSize.width(), 20), Qt::AlignCenter,
                     QCoreApplication::translate("AboutArt", "Háttérkép-kezelő program"));
    painter.setFont(font("DejaVu Sans", 11, false));
    painter.drawText(QRectF(0, 90, kArtSize.width(), 18), Qt::AlignCenter, version);

    // The contact lines on a dark band at the foot of the picture.
    const QRectF band(12, 168, kArtSize.width() - 24, 70);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(20, 20, 40, 190));
    painter.drawRoundedRect(band, 8, 8);
    painter.setPen(QColor(250, 250, 245));
    painter.setFont(font("DejaVu Sans", 12, true));
    painter.drawText(band.adjusted(0, 6, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("© ") + QString::fromUtf8(library::kMaker));
    painter.setFont(font("DejaVu Sans", 11, false));
    painter.drawText(band.adjusted(0, 26, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                     QString::fromUtf8(library::kHomePage));
    painter.drawText(band.adjusted(0, 45, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                     QString::fromUtf8(library::kMailAddress));
}

} // namespace

QImage paintAboutArt() {
    QImage art(kArtSize, QImage::Format_RGB32);
    QPainter painter(&art);
    painter.setRenderHint(QPainter::Antialiasing);
    ui::Scene scene = ui::presetScene(2); // a sunset over the sea
    scene.sunX = 0.5;
    scene.sunY = 0.75;
    ui::paintScene(painter, QRectF(QPointF(0, 0), QSizeF(kArtSize)), scene);
    // A veil over the sky, so that the lettering reads on any scene.
    QLinearGradient veil(0, 0, 0, kArtSize.height());
    veil.setColorAt(0, QColor(0, 0, 30, 120));
    veil.setColorAt(0.5, QColor(0, 0, 30, 0));
    painter.fillRect(art.rect(), veil);
    paintName(painter);
    paintLines(painter);
    return art;
}

} // namespace zolvera::render
