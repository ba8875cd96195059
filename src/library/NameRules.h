#pragma once

#include <string>
#include <string_view>
#include <vector>

// The rules a name must meet to stand for a folder or file of the library. Each rule builds on
// the one before it: a group name made here meets all three.
namespace zolvera::library {

// One folder name under Hatterek: not "." or ".." and without this system's separator. A listed
// group breaking it would point elsewhere, and deleting such a group would delete the files
// found there.
bool isSingleFolderName(std::string_view name);

// A UTF-8 name that stays inside the folder it is joined to on either system: a single folder
// name that is not empty and holds no '\\', no ':' (a drive designator or an alternate data
// stream on Windows) and no control character. Names read from or written into packages meet it.
bool isPlainName(std::string_view name);

// A name a new group may bear: a plain name that Windows accepts as a folder name and the
// Windows-1250 group list can hold. A package made from the group may travel to Windows, so
// names Windows alters or reserves are refused too: no *?"<>|, no trailing dot or blank, and no
// device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension). A leading
// blank is part of the name.
bool isNewGroupName(std::string_view name);

// For each group list entry, whether it names a single folder that exists under the application
// folder's Hatterek: the groups that are shown and can be chosen. Hatterek is read once for all
// of them.
std::vector<bool> listedGroupsPresent(const std::string& appFolder,
                                      const std::vector<std::string>& entries);

} // namespace zolvera::library
