#include "desktop/Wallpaper.h"

#include "desktop/ActiveDesktop.h"
#include "desktop/Registry.h"
#include "picture/Picture.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"

#include <QString>

#include <cstdlib>
#include <filesystem>

namespace zolvera::desktop {

namespace {

constexpr char kShellFolders[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kDesktopKey[] = "\\Control Panel\\Desktop\\";
constexpr char kActiveDesktopClass[] = "\\CLSID\\{75048700-EF1F-11D0-9888-006097DEACF9}";

// $XDG_DATA_HOME, else ~/.local/share, with a trailing separator.
std::string userDataFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    std::string folder;
    if (data != nullptr && data[0] == '/') {
        folder = data;
    } else {
        const char* home = std::getenv("HOME");
        folder = std::string(home != nullptr ? home : "") + "/.local/share";
    }
    std::error_code ignored; // a folder that cannot be made shows up when the bitmap is written
    std::filesystem::create_directories(folder, ignored);
    if (folder.back() != platform::kSeparator)
        folder.push_back(platform::kSeparator);
    return folder;
}

// True when both paths name one existing file, so deleting one would lose the other.
bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(platform::resolve(a), platform::resolve(b), error) && !error;
}

} // namespace

std::string GetWindowsFolder() {
    std::string folder = ReadRegString(kCurrentUser, kShellFolders, "Fonts");
    if (!folder.empty() && folder.back() == platform::kSeparator)
        folder.pop_back();
    while (!folder.empty() && folder.back() != platform::kSeparator)
        folder.pop_back();
    return folder.empty() ? userDataFolder() : folder;
}

void SetWallpaper(const std::string& picturePath) {
    const auto applier = makeDesktopApplier(detectDesktopSession());
    SetWallpaper(picturePath, *applier);
}

void SetWallpaper(const std::string& picturePath, DesktopApplier& applier) {
    const std::string folder = GetWindowsFolder();
    const std::string bitmapPath = folder + "Zolvera.bmp";
    const std::string copyPath = folder + "Zolvera.jpg";

    const auto bitmap = picture::JpegPicture::load(picturePath).decode();
    platform::deleteFile(bitmapPath);
    picture::writeBmp(bitmap, bitmapPath);
    // Choosing the wallpaper copy itself must not delete the only copy of the picture.
    if (!sameFile(picturePath, copyPath)) {
        platform::deleteFile(copyPath);
        platform::copyFile(picturePath, copyPath);
    }

    const std::string current = ReadRegString(kCurrentUser, kDesktopKey, "Wallpaper");
    if (platform::toLowerLocale(current) != platform::toLowerLocale(bitmapPath))
        WriteRegString(kCurrentUser, kDesktopKey, "Wallpaper", bitmapPath);

    if (!ReadRegString(kClassesRoot, kActiveDesktopClass, "").empty()) {
        const auto activeDesktop = createActiveDesktop();
        activeDesktop->SetWallpaper(QString::fromStdString(copyPath).toStdU16String(), 0);
        activeDesktop->ApplyChanges(kApplyAll);
    }

    applier.apply(bitmapPath);
}

} // namespace zolvera::desktop
