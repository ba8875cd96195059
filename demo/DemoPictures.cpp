#include "DemoPictures.h"

#include "artwork/Scenery.h"

#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

#include <cmath>
#include <stdexcept>

namespace zolvera::demo {

namespace {

QColor hueColour(int hue, int saturation, int value, int alpha = 255) {
    return QColor::fromHsv((hue % 360 + 360) % 360, saturation, value, alpha);
}

void paintWaves(QPainter& painter, QSize size, int hue, QRandomGenerator& random) {
    const double w = size.width();
    const double h = size.height();
    constexpr int kBands = 9;
    for (int band = 0; band < kBands; ++band) {
        const double base = h * (0.15 + 0.85 * band / kBands);
        const double amplitude = h * (0.03 + 0.05 * random.generateDouble());
        const double period = w * (0.4 + 0.6 * random.generateDouble());
        const double phase = random.generateDouble() * 6.283;
        QPainterPath wave(QPointF(0, h));
        for (int x = 0; x <= 64; ++x) {
            const double px = w * x / 64;
            wave.lineTo(px, base + amplitude * std::sin(px / period * 6.283 + phase));
        }
        wave.lineTo(w, h);
        wave.closeSubpath();
        QLinearGradient fill(0, base - amplitude, w, base + amplitude);
        fill.setColorAt(0, hueColour(hue + band * 8, 150 + band * 10, 255 - band * 18));
        fill.setColorAt(1, hueColour(hue + band * 8 + 30, 200, 200 - band * 15));
        painter.setBrush(fill);
        painter.drawPath(wave);
    }
}

void paintBokeh(QPainter& painter, QSize size, int hue, QRandomGenerator& random) {
    for (int i = 0; i < 70; ++i) {
        const QPointF centre(random.bounded(size.width()), random.bounded(size.height()));
        const double radius = size.height() * (0.02 + 0.12 * random.generateDouble());
        QRadialGradient glow(centre, radius);
        const int shade = hue + random.bounded(60) - 30;
        glow.setColorAt(0, hueColour(shade, 90, 255, 150));
        glow.setColorAt(0.8, hueColour(shade, 160, 230, 90));
        glow.setColorAt(1, hueColour(shade, 200, 200, 0));
        painter.setBrush(glow);
        painter.drawEllipse(centre, radius, radius);
    }
}

void paintStripes(QPainter& painter, QSize size, int hue, QRandomGenerator& random) {
    const double w = size.width();
    const double h = size.height();
    painter.translate(w / 2, h / 2);
    painter.rotate(-30 + random.bounded(60));
    const double reach = std::hypot(w, h);
    double x = -reach / 2;
    int index = 0;
    while (x < reach / 2) {
        const double width = reach * (0.01 + 0.05 * random.generateDouble());
        painter.setBrush(
            hueColour(hue + (index % 5) * 12, 120 + (index % 3) * 50, 140 + (index * 37) % 110));
        painter.drawRect(QRectF(x, -reach / 2, width, reach));
        x += width;
        ++index;
    }
}

void paintMosaic(QPainter& painter, QSize size, int hue, QRandomGenerator& random) {
    constexpr int kColumns = 16;
    constexpr int kRows = 9;
    const double cw = double(size.width()) / kColumns;
    const double ch = double(size.height()) / kRows;
    auto corner = [&](int c, int r) {
        // Inner corners wander a little; the frame stays straight.
        const double jx = (c > 0 && c < kColumns) ? (random.generateDouble() - 0.5) * cw * 0.6 : 0;
        const double jy = (r > 0 && r < kRows) ? (random.generateDouble() - 0.5) * ch * 0.6 : 0;
        return QPointF(c * cw + jx, r * ch + jy);
    };
    std::vector<QPointF> grid;
    for (int r = 0; r <= kRows; ++r)
        for (int c = 0; c <= kColumns; ++c)
            grid.push_back(corner(c, r));
    auto at = [&](int c, int r) { return grid[std::size_t(r * (kColumns + 1) + c)]; };
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            const double light = 1.0 - 0.5 * (double(r) / kRows) + 0.1 * random.generateDouble();
            for (int half = 0; half < 2; ++half) {
                const QPointF triangle[3] = {at(c, r), half ? at(c + 1, r + 1) : at(c + 1, r),
                                             half ? at(c, r + 1) : at(c + 1, r + 1)};
                painter.setBrush(
                    hueColour(hue + c * 3 + half * 10, 140, std::clamp(int(220 * light), 40, 255)));
                painter.drawPolygon(triangle, 3);
            }
        }
    }
}

void paintRays(QPainter& painter, QSize size, int hue, QRandomGenerator& random) {
    const QPointF centre(size.width() * (0.3 + 0.4 * random.generateDouble()),
                         size.height() * (0.3 + 0.4 * random.generateDouble()));
    QConicalGradient rays(centre, random.bounded(360));
    for (int i = 0; i <= 24; ++i)
        rays.setColorAt(i / 24.0, hueColour(hue + (i % 2) * 25, 170, i % 2 ? 250 : 170));
    painter.fillRect(QRect(QPoint(0, 0), size), rays);
    QRadialGradient core(centre, size.height() * 0.6);
    core.setColorAt(0, QColor(255, 255, 255, 200));
    core.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(QRect(QPoint(0, 0), size), core);
}

} // namespace

QImage landscape(int preset, unsigned seed, QSize size) {
    ui::Scene scene = ui::presetScene(preset);
    scene.seed = seed;
    QRandomGenerator random(seed);
    scene.sunX = std::clamp(scene.sunX + (random.generateDouble() - 0.5) * 0.3, 0.1, 0.9);
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    ui::paintScene(painter, QRectF(QPointF(0, 0), QSizeF(size)), scene);
    return image;
}

QImage pattern(Pattern kind, int hue, unsigned seed, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QLinearGradient background(0, 0, size.width(), size.height());
    background.setColorAt(0, hueColour(hue, 200, 60));
    background.setColorAt(1, hueColour(hue + 40, 220, 140));
    QPainter painter(&image);
    painter.fillRect(image.rect(), background);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    QRandomGenerator random(seed);
    switch (kind) {
    case Pattern::Waves:
        paintWaves(painter, size, hue, random);
        break;
    case Pattern::Bokeh:
        paintBokeh(painter, size, hue, random);
        break;
    case Pattern::Stripes:
        paintStripes(painter, size, hue, random);
        break;
    case Pattern::Mosaic:
        paintMosaic(painter, size, hue, random);
        break;
    case Pattern::Rays:
        paintRays(painter, size, hue, random);
        break;
    }
    return image;
}

QImage cover(QImage art, const QString& name) {
    QImage image = art.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF band(0, 72, 142, 22);
    painter.fillRect(band, QColor(20, 20, 40, 170));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(255, 245, 225));
    painter.drawText(band, Qt::AlignCenter, name);
    return image;
}

void saveJpeg(const QImage& image, const QString& path) {
    QImageWriter writer(path, "jpeg");
    writer.setQuality(88);
    if (!writer.write(image))
        throw std::runtime_error("cannot write " + path.toStdString() + ": " +
                                 writer.errorString().toStdString());
}

} // namespace zolvera::demo
