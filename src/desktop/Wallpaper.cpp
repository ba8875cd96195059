#include "desktop/Wallpaper.h"

#include "desktop/ActiveDesktop.h"
#include "picture/Picture.h"
#include "platform/Failure.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/Translate.h"
#include "platform/UserFolders.h"

#include <QString>

#include <filesystem>

namespace zolvera::desktop {

namespace {

constexpr char kShellFolders[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kDesktopKey[] = "\\Control Panel\\Desktop\\";
constexpr char kActiveDesktopClass[] = "\\CLSID\\{75048700-EF1F-11D0-9888-006097DEACF9}";

// $XDG_DATA_HOME, else ~/.local/share, with a trailing separator.
std::string userDataFolder() {
    std::string folder = platform::userBaseFolder("XDG_DATA_HOME", "/.local/share");
    std::error_code ignored; // a folder that cannot be made shows up when the bitmap is written
    std::filesystem::create_directories(folder, ignored);
    if (folder.back() != platform::kSeparator)
        folder.push_back(platform::kSeparator);
    return folder;
}

picture::DecodedFile decodePicture(const std::string& path) {
    try {
        return picture::decodeFile(path);
    } catch (const Failure& failure) {
        throw UnreadablePicture(failure.what());
    }
}

} // namespace

std::string GetWindowsFolder(Registry& registry) {
    std::string folder = ReadRegString(registry, kCurrentUser, kShellFolders, "Fonts");
    if (!folder.empty() && folder.back() == platform::kSeparator)
        folder.pop_back();
    while (!folder.empty() && folder.back() != platform::kSeparator)
        folder.pop_back();
    return folder.empty() ? userDataFolder() : folder;
}

WallpaperStyle currentWallpaperStyle(Registry& registry) {
    try {
        return ReadRegString(registry, kCurrentUser, kDesktopKey, "WallpaperStyle") == "2"
                   ? WallpaperStyle::Stretch
                   : WallpaperStyle::Centre;
    } catch (const Failure&) { // a value of another type: the system call fails quietly
        return WallpaperStyle::Centre;
    }
}

void SetWallpaper(const std::string& picturePath, Registry& registry, DesktopApplier& applier,
                  const ActiveDesktopFactory& activeDesktop) {
    const std::string folder = GetWindowsFolder(registry);
    const std::string bitmapPath = folder + "Zolvera.bmp";
    const std::string copyPath = folder + "Zolvera.jpg";

    auto decoded = decodePicture(picturePath);
    // Both files are put in place only when complete, so a failure (a full disk) leaves the
    // earlier ones as they were. A failed copy is not reported: the Active Desktop service then
    // gets the earlier copy. The copy is made of the file that decoded, whatever the picture's
    // path names by now.
    picture::writeBmp(decoded.bitmap, bitmapPath);
    static_cast<void>(decoded.file.copyTo(copyPath));

    const std::string current = ReadRegString(registry, kCurrentUser, kDesktopKey, "Wallpaper");
    if (platform::toLowerLocale(current) != platform::toLowerLocale(bitmapPath))
        // A key that can be neither opened nor made is passed over; a refused write throws.
        static_cast<void>(
            WriteRegString(registry, kCurrentUser, kDesktopKey, "Wallpaper", bitmapPath));

    if (!ReadRegString(registry, kClassesRoot, kActiveDesktopClass, "").empty()) {
        const auto service = createActiveDesktop(activeDesktop);
        service->SetWallpaper(QString::fromStdString(copyPath).toStdU16String(), 0);
        service->ApplyChanges(kApplyAll);
    }

    applier.apply(bitmapPath, currentWallpaperStyle(registry));
}

void RestoreWallpaper(Registry& registry, DesktopApplier& applier) {
    const std::string bitmapPath = ReadRegString(registry, kCurrentUser, kDesktopKey, "Wallpaper");
    if (bitmapPath.empty())
        throw Failure(platform::translate(
            "Desktop", "Még nem volt beállítva háttérkép, nincs mit visszaállítani."));
    if (!platform::fileExists(bitmapPath))
        throw Failure(platform::substitute(
            platform::translate("Desktop", "Nincs meg a háttérkép fájlja: %1."), {bitmapPath}));
    applier.apply(bitmapPath, currentWallpaperStyle(registry));
}

} // namespace zolvera::desktop
