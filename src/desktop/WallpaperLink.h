#pragma once

#include "desktop/DesktopApplier.h"

#include <memory>
#include <string>

namespace zolvera::desktop {

// A desktop that keeps its wallpaper in a setting reloads the picture only when that setting
// changes, and the bitmap is always Zolvera.bmp. So those desktops are handed a path that
// differs from the one they were given last time: <cache>/zolvera/wallpaper-<n>.bmp in the
// user's cache folder ($XDG_CACHE_HOME, else ~/.cache), a hard link to the bitmap as it is now
// (a copy where no link can be made), n one more than the last one's. Only that one and the
// one before it (which the desktop may still be fading out) are kept; the folder's record of
// the links made (wallpaper-links) tells which ones are ours to remove. When the folder is not
// a folder of the user's own (a link, or one others may write to), or neither a link nor a
// copy can be made, the bitmap's own path. The links are made in the given folder.
std::string freshWallpaperLink(const std::string& bitmapPath, const std::string& folder);

// The folder that holds them.
std::string wallpaperLinkFolder();

// Hands the applier it wraps a fresh link to the bitmap at every call, made in the given folder
// (wallpaperLinkFolder() when none is given).
class FreshLinkApplier : public DesktopApplier {
public:
    explicit FreshLinkApplier(std::unique_ptr<DesktopApplier> inner, std::string folder = {})
        : inner_(std::move(inner)), folder_(std::move(folder)) {}
    void apply(const std::string& bitmapPath, WallpaperStyle style) override {
        inner_->apply(
            freshWallpaperLink(bitmapPath, folder_.empty() ? wallpaperLinkFolder() : folder_),
            style);
    }

private:
    std::unique_ptr<DesktopApplier> inner_;
    std::string folder_;
};

} // namespace zolvera::desktop
