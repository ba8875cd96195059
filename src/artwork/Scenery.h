#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

namespace zolvera::ui {

// A painted landscape: a sky, a sun or moon, ridges of hills fading into the haze and either
// water or a foreground slope. The same scene paints alike at any size.
struct Scene {
    QColor skyTop;
    QColor skyHorizon;
    QColor sun;
    QColor farRidge;
    QColor nearRidge;
    bool water = false;
    bool stars = false;
    double sunX = 0.7; // the sun's place, as parts of the width and of the sky's height
    double sunY = 0.45;
    unsigned seed = 1; // the shape of the ridges
};

// The ready-made moods, cycling through dawn, noon lake, sunset sea, night, autumn and dunes.
Scene presetScene(int index);

void paintScene(QPainter& painter, const QRectF& rect, const Scene& scene);

} // namespace zolvera::ui
