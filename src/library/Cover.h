#pragma once

#include <string>
#include <string_view>

namespace zolvera::library {

// A group's cover: the file "init.jpg" of its folder, in any letter case.
inline constexpr std::string_view kCoverFileName = "init.jpg";

// True when a file name names the cover. Only ASCII letters are folded: a locale's
// lower-casing (Turkish "I") must not decide whether a group's cover counts as a picture.
bool isCoverName(std::string_view name);

// True when the folder holds its cover as a file.
bool hasCover(const std::string& folder);

} // namespace zolvera::library
