#include "wallpapertool/LibraryGroups.h"

#include "library/GroupListFile.h"
#include "library/LibraryLayout.h"
#include "library/NameRules.h"
#include "library/Seged.h"
#include "platform/Failure.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/Translate.h"

namespace zolvera::wallpaper {

library::StringList listedGroups(const std::string& appFolder) {
    library::StringList groups = library::loadGroupList(library::groupListFile(appFolder));
    groups.keepFlagged(library::listedGroupsPresent(appFolder, groups.items()), 0, groups.count());
    return groups;
}

std::string findGroup(const std::string& appFolder, const std::string& name) {
    const library::StringList groups = listedGroups(appFolder);
    for (const std::string& listed : groups.items())
        if (platform::equalsIgnoreCase(listed, name))
            return listed;
    throw Failure(platform::substitute(
        platform::translate("WallpaperTool", "Nincs ilyen csoport: %1."), {name}));
}

library::StringList groupPictures(const std::string& appFolder, const std::string& group) {
    library::StringList pictures;
    library::ListPictureFiles(library::groupFolderPath(appFolder, group) + "/*.jpg", pictures);
    if (pictures.count() == 0)
        throw Failure(platform::substitute(
            platform::translate("WallpaperTool", "Üres csoport: %1."), {group}));
    return pictures;
}

} // namespace zolvera::wallpaper
