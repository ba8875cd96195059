#pragma once

#include "library/StringList.h"

#include <string>

// The picture library as a command without a window reads it: nothing is shown, nothing is
// saved, so a run that fails leaves the library as it was.
namespace zolvera::wallpaper {

// The group list as a reload would leave it (empty entries and groups without a folder
// dropped), read without messages and without rewriting the list file. Throws
// "Cannot open file "%s". %s" when the list file cannot be read.
library::StringList listedGroups(const std::string& appFolder);

// The listed name of a group given in any letter case, as the group list is matched. Throws
// a failure naming the group when none is listed.
std::string findGroup(const std::string& appFolder, const std::string& name);

// The pictures of a group in the order the main window shows them. Throws a failure naming
// the group when it holds none.
library::StringList groupPictures(const std::string& appFolder, const std::string& group);

} // namespace zolvera::wallpaper
