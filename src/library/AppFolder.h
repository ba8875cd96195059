#pragma once

#include <string>
#include <string_view>

namespace zolvera::library {

// The application folder: ZOLVERA_HOME when it is set and not empty, otherwise the folder of
// the running executable. Never ends in a separator; a program in the root folder gets "".
// On a case-sensitive system it is not lower-cased, since that would name another folder.
std::string findApplicationFolder();

// Every path of the program is the application folder followed by a separator-led relative
// path, joined by plain concatenation, e.g. appPath(folder, "/Zolvera.lst").
inline std::string appPath(const std::string& folder, std::string_view relative) {
    return folder + std::string(relative);
}

} // namespace zolvera::library
