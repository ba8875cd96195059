#pragma once

#include "desktop/ActiveDesktop.h"
#include "desktop/DesktopApplier.h"
#include "desktop/Registry.h"
#include "platform/Failure.h"

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

// SetWallpaper's failure when the picture itself cannot be read or decoded (the text is the
// reading's own, e.g. "JPEG error #53"); nothing has been written then.
class UnreadablePicture : public Failure {
public:
    using Failure::Failure;
};

// Makes a JPEG file the desktop wallpaper: writes it decoded as <folder>Zolvera.bmp and copied
// as <folder>Zolvera.jpg into the wallpaper folder, records the bitmap as the "Wallpaper"
// value of the user's desktop key when it differs (apart from letter case), hands the JPEG copy
// to the Active Desktop service where it is registered (made by activeDesktop; none on this
// system), and applies the bitmap with the applier in the registry's WallpaperStyle. Each file
// is put in place only once it is complete. Throws the failure of the step that went wrong
// (UnreadablePicture for the picture, the applier's when the desktop could not be given it);
// the later steps are then not done (a copy that fails is ignored, and the earlier Zolvera.jpg
// stays as it was).
void SetWallpaper(const std::string& picturePath, Registry& registry, DesktopApplier& applier,
                  const ActiveDesktopFactory& activeDesktop = {});

// Shows the bitmap the registry records as the wallpaper again, in its WallpaperStyle, for a
// session that does not keep the wallpaper over a new login. Throws a failure when no
// wallpaper is recorded or its bitmap is gone, and the applier's when the desktop could not be
// given it.
void RestoreWallpaper(Registry& registry, DesktopApplier& applier);

} // namespace zolvera::desktop
