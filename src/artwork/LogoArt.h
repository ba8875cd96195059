#pragma once

#include <QColor>
#include <QImage>

class QFont;
class QPainter;

namespace zolvera::ui {

// The see-through colour of the splash screen.
inline constexpr QRgb kLogoKeyColour = 0xff808080; // grey 128, 128, 128

// The splash artwork, 400 × 240: a collage of tilted wallpaper pictures with the program's
// name and what it is, on the key colour. Only the background has exactly the key colour.
QImage paintLogoArt();

// The program's name in warm gradient letters with a dark outline, centred on centreX with its
// baseline at baseline; the gradient runs over the cap height above it.
void paintNameLettering(QPainter& painter, const QFont& font, double centreX, double baseline);

} // namespace zolvera::ui
