#pragma once

#include "packages/WorkControl.h"

#include <string>

namespace zolvera::library {
class GroupLibrary;
} // namespace zolvera::library

namespace zolvera::packages {

// Installs a .dta package as a group of the library: creates the group folder (one level),
// writes every entry into it (the cover, "init.jpg" in any case, always as "init.jpg") and adds
// the group (GroupLibrary::addGroup: a group listed already is reloaded, not appended again).
// An entry that replaces a file is written beside it and put in place only when complete, so a
// failure leaves the earlier file of that name as it was; a new entry is written at its name
// (created exclusively, never through a link) and removed again when it cannot be completed.
//
// Returns normally only when the whole package was installed. Otherwise it throws a Failure
// naming the package: when it cannot be opened or read, or an entry cannot be written (the
// installation stops there); when a length is out of range or reaches past the end (damage);
// when its group name is not one plain folder name, the package holds more than kMaxEntries
// entries, or the group folder is a symbolic link or cannot be made (nothing is installed); and,
// after installing the rest, naming the entries left out because their name is not one plain file
// name the file system takes, or because something other than a plain file (a link, a folder)
// stands at that name. An installation that stopped early adds a new group only when its cover
// arrived; the pictures that arrived stay in its folder. Nothing is ever written outside the group
// folder, apart from the group list file, and no link is written through. The work grows with the
// package's size and entry count alone, whatever the entries' names.
//
// control's progress counts the bytes of the package read, at the start, now and then on the
// way (not for every entry) and at the end. Stopped on request, the installation throws Stopped:
// a group it would have added is not listed; one listed already stays listed, with the entries
// that arrived.
void InstallPackage(library::GroupLibrary& library, const std::string& packagePath,
                    const WorkControl& control = {});

} // namespace zolvera::packages
