#pragma once

#include "desktop/CommandRunner.h"
#include "desktop/DesktopApplier.h"

#include <memory>
#include <string>
#include <vector>

// Appliers for desktops that keep their wallpaper in their own settings and redraw it when
// those change; each one talks to the desktop through its command-line tool. They pass the
// path on as given: wrapped in a FreshLinkApplier, so the setting changes at every call. A
// tool that is missing or fails is reported as the Failure that names it.
namespace zolvera::desktop {

// GNOME and the desktops built on its settings (gsettings).
class GSettingsApplier : public DesktopApplier {
public:
    // The schema's keys: the picture keys get a file:// URI, or the plain path when asURI is
    // false (MATE); the options key gets "stretched" or "centered".
    struct Schema {
        std::string name;
        std::vector<std::string> pictureKeys;
        bool asUri;
    };
    static Schema gnome();
    static Schema cinnamon();
    static Schema mate();

    GSettingsApplier(Schema schema, std::unique_ptr<CommandRunner> runner)
        : schema_(std::move(schema)), runner_(std::move(runner)) {}
    void apply(const std::string& bitmapPath, WallpaperStyle style) override;

private:
    Schema schema_;
    std::unique_ptr<CommandRunner> runner_;
};

// sway: every output's background through swaymsg ("output * bg", on black); sway starts its own
// swaybg for it.
class SwayApplier : public DesktopApplier {
public:
    explicit SwayApplier(std::unique_ptr<CommandRunner> runner) : runner_(std::move(runner)) {}
    void apply(const std::string& bitmapPath, WallpaperStyle style) override;

private:
    std::unique_ptr<CommandRunner> runner_;
};

// Whether sway's command line takes the path whole: sway splits it at quotes and then expands
// the path as a shell word, so quotes, backslashes and runs of spaces (which its unescaping
// mangles) do not pass.
bool swayTakesPath(const std::string& path);

// Where sway's wallpaper links are made: the usual link folder when sway takes its path, else
// "zolvera" in the user's private runtime folder (/run/user/<uid>), so that a home folder with an
// apostrophe in its name still gets a wallpaper.
std::string swayLinkFolder();

// The path as a percent-encoded file:// URI.
std::string fileUri(const std::string& path);

// The text as a GVariant string literal, which is how gsettings and gdbus read their values.
std::string gvariantString(const std::string& text);

} // namespace zolvera::desktop
