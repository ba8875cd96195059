#pragma once

#include "packages/WorkControl.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zolvera::packages {

// The refusal of a folder without its cover.
std::string noCoverText();
// The caption of the question whether to fit the oversized pictures.
std::string fitCaption();

// What PackFolder does with a picture larger than a package entry may hold.
enum class Oversized {
    Refuse, // the packing is refused before the package file is created, naming the picture
    Fit,    // the package gets a copy encoded anew to fit (picture/FitJpeg.h); the file stays
};

// The pictures that a packing encoded anew.
struct PackReport {
    int fitted = 0;
    int smallestWidth = 0; // the one of them with the fewest pixels
    int smallestHeight = 0;
};

// The question asked before count pictures are fitted.
std::string fitQuestion(std::size_t count);
// The status line after a packing: how many pictures were fitted and the smallest of them;
// empty when none was.
std::string fittedSummary(const PackReport& report);

// The pictures of the folder (its cover among them) larger than a package entry may hold.
// Throws the refusals that PackFolder makes before it writes anything but that of a picture
// too large.
std::vector<std::string> OversizedPictures(const std::string& folderPath);

// Packs a folder into a .dta package: the folder's own name (one trailing separator dropped)
// as the group name, its *.jpg files other than the cover in the order the folder lists them,
// then the cover under "Init.jpg". Any existing file at packagePath is replaced. A picture
// that fits an entry is packed byte for byte; a larger one as oversized says.
//
// Before the package file is created it throws a Failure when the folder holds no init.jpg,
// when the folder's name or a picture's name is not one plain name of 1 to 100 Windows-1250
// bytes, or when a picture is larger than a package entry may be and is not to be fitted;
// each text names the file. From the creation on, the first failed file operation ends the
// packing with its IoFailure ("File not found", "Disk full", ...), and a picture that cannot be
// fitted with a Failure naming it; the package is put in place only when complete, so an
// earlier file of that name then stays as it was and no partial package remains.
//
// control's progress counts the entries written, the cover included, from none to all; stopped
// on request, the packing throws Stopped and leaves no package, as a failure does.
PackReport PackFolder(const std::string& folderPath, const std::string& packagePath,
                      Oversized oversized = Oversized::Refuse, const WorkControl& control = {});

} // namespace zolvera::packages
