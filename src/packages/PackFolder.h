#pragma once

#include <string>
#include <string_view>

namespace zolvera::packages {

// The refusal of a folder without its cover.
inline constexpr std::string_view kNoCoverText =
    "Nem található az \"init.jpg\" állomány, anélkül csomag nem hozható létre.";

// Packs a folder into a .dta package: the folder's own name (one trailing separator dropped)
// as the group name, its *.jpg files other than the cover in the order the folder lists them,
// then the cover under "Init.jpg". Any existing file at packagePath is replaced.
//
// Before the package file is created it throws a Failure when the folder holds no init.jpg,
// when the folder's name or a picture's name is not one plain name of 1 to 100 Windows-1250
// bytes, or when a picture is larger than a package entry may be; each text names the file.
// From the creation on, the first failed file operation ends the packing with its IoFailure
// ("File not found", "Disk full", ...); the package is put in place only when complete, so an
// earlier file of that name then stays as it was and no partial package remains.
void PackFolder(const std::string& folderPath, const std::string& packagePath);

} // namespace zolvera::packages
