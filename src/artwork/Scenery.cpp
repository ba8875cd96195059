#include "artwork/Scenery.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <array>
#include <cmath>
#include <vector>

namespace zolvera::ui {

namespace {

constexpr double kHorizon = 0.62; // the horizon, as a part of the height

QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// Heights of a ridge by midpoint displacement: rough, yet the same for the same seed.
std::vector<double> ridgeHeights(QRandomGenerator& random, int points, double roughness) {
    std::vector<double> heights(std::size_t(points), 0.0);
    heights.front() = random.generateDouble();
    heights.back() = random.generateDouble();
    double spread = roughness;
    for (int step = points - 1; step > 1; step /= 2) {
        for (int i = step / 2; i < points - 1; i += step) {
            const double middle = (heights[std::size_t(i - step / 2)] +
                                   heights[std::size_t(std::min(i + step / 2, points - 1))]) /
                                  2;
            heights[std::size_t(i)] = middle + (random.generateDouble() - 0.5) * spread;
        }
        spread *= 0.55;
    }
    return heights;
}

void paintSky(QPainter& painter, const QRectF& sky, const Scene& scene) {
    QLinearGradient gradient(sky.topLeft(), sky.bottomLeft());
    gradient.setColorAt(0, scene.skyTop);
    gradient.setColorAt(1, scene.skyHorizon);
    painter.fillRect(sky, gradient);

    if (scene.stars) {
        QRandomGenerator random(scene.seed * 7 + 3);
        painter.setPen(Qt::NoPen);
        for (int i = 0; i < 140; ++i) {
            const QPointF at(sky.left() + random.generateDouble() * sky.width(),
                             sky.top() + random.generateDouble() * sky.height() * 0.8);
            const double size = 0.4 + random.generateDouble() * sky.width() / 900;
            painter.setBrush(QColor(255, 255, 240, 90 + random.bounded(165)));
            painter.drawEllipse(at, size, size);
        }
    }

    const QPointF sun(sky.left() + sky.width() * scene.sunX, sky.top() + sky.height() * scene.sunY);
    const double radius = sky.width() * 0.045;
    QRadialGradient glow(sun, radius * 6);
    QColor halo = scene.sun;
    halo.setAlpha(110);
    glow.setColorAt(0, halo);
    halo.setAlpha(0);
    glow.setColorAt(1, halo);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(sun, radius * 6, radius * 6);
    painter.setBrush(scene.sun);
    painter.drawEllipse(sun, radius, radius);
}

void paintRidges(QPainter& painter, const QRectF& rect, const Scene& scene) {
    QRandomGenerator random(scene.seed);
    const double horizonY = rect.top() + rect.height() * kHorizon;
    constexpr int kLayers = 4;
    for (int layer = 0; layer < kLayers; ++layer) {
        const double depth = double(layer) / (kLayers - 1);
        const std::vector<double> heights = ridgeHeights(random, 65, 1.2 - depth * 0.6);
        const double amplitude = rect.height() * (0.26 - depth * 0.17);
        const double base = horizonY - rect.height() * (0.08 - depth * 0.2);
        QPainterPath ridge(QPointF(rect.left(), rect.bottom()));
        double top = base;
        for (std::size_t i = 0; i < heights.size(); ++i) {
            const double x = rect.left() + rect.width() * double(i) / double(heights.size() - 1);
            const double y = base - std::clamp(heights[i], 0.0, 1.2) * amplitude;
            top = std::min(top, y);
            ridge.lineTo(x, y);
        }
        ridge.lineTo(rect.bottomRight());
        ridge.closeSubpath();
        // Far ridges fade into the haze of the horizon; every ridge darkens towards its foot.
        const QColor colour =
            mix(mix(scene.skyHorizon, scene.farRidge, 0.65), scene.nearRidge, depth);
        QLinearGradient shade(0, top, 0, std::min(rect.bottom(), base + rect.height() * 0.25));
        shade.setColorAt(0, mix(colour, scene.skyHorizon, 0.18));
        shade.setColorAt(1, mix(colour, QColor(0, 0, 0), 0.35));
        painter.setPen(Qt::NoPen);
        painter.setBrush(shade);
        painter.drawPath(ridge);
    }
}

void paintWater(QPainter& painter, const QRectF& rect, const Scene& scene) {
    const QRectF water(rect.left(), rect.top() + rect.height() * (kHorizon + 0.04), rect.width(),
                       rect.height() * (1 - kHorizon - 0.04));
    QLinearGradient gradient(water.topLeft(), water.bottomLeft());
    gradient.setColorAt(0, mix(scene.skyHorizon, scene.nearRidge, 0.25));
    gradient.setColorAt(1, mix(scene.skyTop, scene.nearRidge, 0.55));
    painter.fillRect(water, gradient);

    // The sun's path on the water: short bright strokes that thin out towards the horizon.
    QRandomGenerator random(scene.seed * 13 + 5);
    const double sunX = rect.left() + rect.width() * scene.sunX;
    QColor glitter = scene.sun;
    for (int i = 0; i < 60; ++i) {
        const double t = random.generateDouble();
        const double y = water.top() + water.height() * t;
        const double half = rect.width() * (0.01 + 0.06 * t) * random.generateDouble();
        glitter.setAlpha(60 + random.bounded(120));
        painter.setPen(QPen(glitter, std::max(1.0, rect.height() / 400)));
        const double offset = (random.generateDouble() - 0.5) * rect.width() * 0.05 * (0.3 + t);
        painter.drawLine(QPointF(sunX + offset - half, y), QPointF(sunX + offset + half, y));
    }
}

} // namespace

Scene presetScene(int index) {
    static const std::array<Scene, 6> presets = {{
        // dawn over blue mountains
        {QColor(72, 110, 170), QColor(250, 196, 150), QColor(255, 240, 200), QColor(120, 130, 170),
         QColor(30, 40, 70), false, false, 0.3, 0.75, 11},
        // a lake at noon
        {QColor(40, 110, 200), QColor(170, 215, 240), QColor(255, 255, 235), QColor(110, 150, 120),
         QColor(30, 80, 40), true, false, 0.65, 0.25, 23},
        // sunset over the sea
        {QColor(60, 40, 110), QColor(255, 150, 70), QColor(255, 225, 130), QColor(150, 70, 90),
         QColor(40, 20, 40), true, false, 0.5, 0.8, 37},
        // a moonlit night
        {QColor(5, 10, 35), QColor(40, 60, 110), QColor(235, 240, 255), QColor(40, 50, 90),
         QColor(8, 12, 25), false, true, 0.78, 0.3, 41},
        // autumn hills
        {QColor(110, 150, 200), QColor(235, 215, 170), QColor(255, 245, 210), QColor(190, 120, 60),
         QColor(90, 40, 20), false, false, 0.2, 0.35, 53},
        // dunes in the evening
        {QColor(80, 120, 180), QColor(250, 210, 160), QColor(255, 250, 220), QColor(220, 160, 100),
         QColor(150, 80, 40), false, false, 0.85, 0.6, 67},
    }};
    return presets[std::size_t(index) % presets.size()];
}

void paintScene(QPainter& painter, const QRectF& rect, const Scene& scene) {
    painter.save();
    painter.setClipRect(rect);
    painter.setRenderHint(QPainter::Antialiasing);
    paintSky(painter, QRectF(rect.left(), rect.top(), rect.width(), rect.height() * kHorizon),
             scene);
    paintRidges(painter, rect, scene);
    if (scene.water)
        paintWater(painter, rect, scene);
    painter.restore();
}

} // namespace zolvera::ui
