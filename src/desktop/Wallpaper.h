#pragma once

#include "desktop/ActiveDesktop.h"
#include "desktop/DesktopApplier.h"
#include "desktop/Registry.h"

#include <string>

namespace zolvera::desktop {

// The wallpaper folder: the parent of the folder named by the "Fonts" entry of the user's
// Shell Folders key, ending in a separator. On this system the entry holds a POSIX path, so
// '/' is the separator. When the entry is missing, empty or holds no separator, the user's
// data folder ($XDG_DATA_HOME, else ~/.local/share), made when missing, with a trailing '/'.
// Worked out again at every call.
std::string GetWindowsFolder(Registry& registry);

// The registry value "WallpaperStyle" of "\Control Panel\Desktop\" as it is now: "2" stretches,
// anything else (also a missing or unreadable value) centres.
WallpaperStyle currentWallpaperStyle(Registry& registry);

// Makes a JPEG file the desktop wallpaper: writes it decoded as <folder>Zolvera.bmp and copied
// as <folder>Zolvera.jpg into the wallpaper folder, records the bitmap as the "Wallpaper"
// value of the user's desktop key when it differs (apart from letter case), hands the JPEG copy
// to the Active Desktop service where it is registered (made by activeDesktop; none on this
// system), and applies the bitmap with the applier in the registry's WallpaperStyle. Each file
// is put in place only once it is complete. Throws the failure of the step that went wrong;
// the later steps are then not done (a copy that fails is ignored, and the earlier Zolvera.jpg
// stays as it was).
void SetWallpaper(const std::string& picturePath, Registry& registry, DesktopApplier& applier,
                  const ActiveDesktopFactory& activeDesktop = {});

} // namespace zolvera::desktop
