#pragma once

#include <QColor>
#include <QImage>

namespace zolvera::ui {

// The see-through colour of the splash screen.
inline constexpr QRgb kLogoKeyColour = 0xff808080; // grey 128, 128, 128

// The splash artwork, 400 × 240: a collage of tilted wallpaper pictures with the program's
// name and what it is, on the key colour. Only the background has exactly the key colour.
QImage paintLogoArt();

} // namespace zolvera::ui
