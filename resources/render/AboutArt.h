#pragma once

#include <QImage>

namespace zolvera::render {

// The about picture, 333 × 250: a painted landscape with the program's name, what it is, the
// version of this build and the maker's contact lines, in the language installed into the
// application.
QImage paintAboutArt();

} // namespace zolvera::render
