#pragma once

// Nitrogen, a Debian X11 wallpaper setter whose browser keeps its thumbnails in the freedesktop
// cache, as the reference for opening a folder of pictures: the processor time its process
// takes until it is idle, on a virtual X server of its own.

#include <string>
#include <variant>

namespace zolvera::bench {

struct NitrogenOpenings {
    double start = 0;  // processor time on an empty folder: the program's own start
    double first = 0;  // the folder with an empty thumbnail cache, above the start
    double second = 0; // the folder again, its thumbnails now cached, above the start
};

// The least of several runs of each; the reason instead when nitrogen or Xvfb is not installed.
std::variant<NitrogenOpenings, std::string> measureNitrogen(const std::string& folder, int runs);

} // namespace zolvera::bench
