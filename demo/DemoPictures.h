#pragma once

#include <QImage>
#include <QString>

// The pictures of the demo library, painted in code: landscapes, abstract patterns and the
// small covers of the group column.
namespace zolvera::demo {

enum class Pattern { Waves, Bokeh, Stripes, Mosaic, Rays };

// A landscape of one of the ready-made moods, varied by the seed.
QImage landscape(int preset, unsigned seed, QSize size);
// An abstract pattern in colours derived from the hue (0–359).
QImage pattern(Pattern kind, int hue, unsigned seed, QSize size);
// A cover for the group column: the artwork at 142 × 100 with the group's name on a band.
QImage cover(QImage art, const QString& name);

// Writes a JPEG file; a grayscale image becomes a single-component JPEG. Throws on failure.
void saveJpeg(const QImage& image, const QString& path);

} // namespace zolvera::demo
