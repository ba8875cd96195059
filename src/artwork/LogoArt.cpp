#include "artwork/LogoArt.h"

#include "artwork/Scenery.h"

#include <QCoreApplication>
#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace zolvera::ui {

namespace {

constexpr QSize kArtSize(400, 240);

struct Card {
    QPointF centre;
    double angle;
    int scene;
};

// A photograph on the table: a white border, a soft shadow and a landscape.
void paintCard(QPainter& painter, const Card& card) {
    const QRectF photo(-70, -45, 140, 90);
    painter.save();
    painter.translate(card.centre);
    painter.rotate(card.angle);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawRoundedRect(photo.adjusted(-3, -1, 7, 8), 3, 3);
    painter.setBrush(QColor(250, 250, 246));
    painter.drawRect(photo.adjusted(-5, -5, 5, 5));
    paintScene(painter, photo, presetScene(card.scene));
    painter.restore();
}

void paintTitle(QPainter& painter) {
    QFont titleFont(QStringLiteral("DejaVu Serif"));
    titleFont.setPixelSize(50);
    titleFont.setBold(true);
    paintNameLettering(painter, titleFont, 200, 196);

    QFont subtitleFont(QStringLiteral("DejaVu Sans"));
    subtitleFont.setPixelSize(15);
    subtitleFont.setBold(true);
    const QRectF band(40, 205, 320, 24);
    painter.setBrush(QColor(30, 30, 60, 220));
    painter.drawRoundedRect(band, 11, 11);
    painter.setFont(subtitleFont);
    painter.setPen(QColor(255, 240, 210));
    painter.drawText(band, Qt::AlignCenter,
                     QCoreApplication::translate("LogoArt", "Háttérkép-kezelő program"));
}

} // namespace

QImage paintLogoArt() {
    // Painted on a clear canvas first, so that what is drawn and what is background stay
    // apart even where a drawn pixel would happen to match the key colour.
    QImage art(kArtSize, QImage::Format_ARGB32_Premultiplied);
    art.fill(Qt::transparent);
    {
        QPainter painter(&art);
        painter.setRenderHint(QPainter::Antialiasing);
        const Card cards[] = {
            {{92, 68}, -11, 0}, {{308, 66}, 9, 3},   {{200, 60}, 3, 1},
            {{98, 130}, 7, 4},  {{302, 128}, -8, 5}, {{200, 120}, -4, 2},
        };
        for (const Card& card : cards)
            paintCard(painter, card);
        paintTitle(painter);
    }

    QImage result(kArtSize, QImage::Format_RGB32);
    result.fill(kLogoKeyColour);
    {
        QPainter painter(&result);
        painter.drawImage(0, 0, art);
    }
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        const auto* drawn = reinterpret_cast<const QRgb*>(art.constScanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if (qAlpha(drawn[x]) != 0 && line[x] == kLogoKeyColour)
                line[x] = qRgb(129, 129, 129);
        }
    }
    return result;
}

void paintNameLettering(QPainter& painter, const QFont& font, double centreX, double baseline) {
    QPainterPath title;
    title.addText(0, 0, font, QStringLiteral("Zolvera"));
    const QRectF bounds = title.boundingRect();
    title.translate(QPointF(centreX - bounds.center().x(), baseline));
    painter.setPen(QPen(QColor(30, 30, 60), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(title);
    painter.setPen(Qt::NoPen);
    QLinearGradient fill(0, baseline + bounds.top(), 0, baseline);
    fill.setColorAt(0, QColor(255, 250, 215));
    fill.setColorAt(1, QColor(255, 190, 90));
    painter.setBrush(fill);
    painter.drawPath(title);
}

} // namespace zolvera::ui
