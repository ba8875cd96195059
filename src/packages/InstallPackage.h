#pragma once

#include <string>

namespace zolvera::library {
class GroupLibrary;
class LibraryView;
} // namespace zolvera::library

namespace zolvera::packages {

// Installs a .dta package as a group of the library: creates the group folder (one level),
// writes every entry into it (the cover, "init.jpg" in any case, always as "init.jpg") and adds
// the group. A group the list already holds, in any letter case, is not appended again; the
// list is reloaded and the first group shown all the same, so the new pictures and cover show.
//
// Returns normally only when the whole package was installed. Throws a Failure naming the
// package when it cannot be opened or read, when a length is out of range or reaches past the
// end (the entries before it stay installed and the group is added if its folder exists), or
// when its group name is not one plain folder name (nothing is installed). Entries whose name
// is not one plain file name, or whose file cannot be created, are skipped. Nothing is ever
// written outside the group folder, apart from the group list file.
//
// view is the window of the library: the one that shows the first group after a reload.
void InstallPackage(library::GroupLibrary& library, library::LibraryView& view,
                    const std::string& packagePath);

} // namespace zolvera::packages
