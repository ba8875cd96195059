#pragma once

#include <string>

namespace zolvera::library {
class GroupLibrary;
} // namespace zolvera::library

namespace zolvera::packages {

// Installs a .dta package as a group of the library: creates the group folder (one level),
// writes every entry into it (the cover, "init.jpg" in any case, always as "init.jpg") and adds
// the group (GroupLibrary::addGroup: a group listed already is reloaded, not appended again).
//
// Returns normally only when the whole package was installed. Throws a Failure naming the
// package when it cannot be opened or read, when a length is out of range or reaches past the
// end (the entries before it stay installed and the group is added if its folder exists), or
// when its group name is not one plain folder name (nothing is installed). Entries whose name
// is not one plain file name, or whose file cannot be created, are skipped. Nothing is ever
// written outside the group folder, apart from the group list file.
void InstallPackage(library::GroupLibrary& library, const std::string& packagePath);

} // namespace zolvera::packages
