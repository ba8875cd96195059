#include "desktop/PlasmaApplier.h"

#include "desktop/CommandAppliers.h"
#include "platform/Failure.h"
#include "platform/Translate.h"

#include <sstream>

namespace zolvera::desktop {

namespace {

// The image plugin's fill modes: Image.Stretch and Image.Pad.
constexpr int kStretch = 0;
constexpr int kCentre = 6;

// Switches every desktop to the image plugin before writing its picture, as Plasma's own
// wallpaper tool does; a desktop left on another plugin would keep showing what it showed. A
// thrown error makes gdbus and qdbus end with a failure, so a shell without a desktop is not
// taken for success.
std::string script(const std::string& bitmapPath, WallpaperStyle style) {
    // The URI is percent-encoded, so it needs no escaping inside the script's double quotes.
    std::ostringstream text;
    text << "var all = desktops();\n"
            "if (!all.length) throw new Error(\"no desktop\");\n"
            "for (var i = 0; i < all.length; i++) {\n"
            "    var d = all[i];\n"
            "    d.wallpaperPlugin = \"org.kde.image\";\n"
            "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
            "    d.writeConfig(\"FillMode\", "
         << (style == WallpaperStyle::Stretch ? kStretch : kCentre)
         << ");\n    d.writeConfig(\"Image\", \"" << fileUri(bitmapPath) << "\");\n}\n";
    return text.str();
}

} // namespace

void PlasmaApplier::apply(const std::string& bitmapPath, WallpaperStyle style) {
    const std::string text = script(bitmapPath, style);
    if (runner_->run("gdbus", {"call", "--session", "--dest", "org.kde.plasmashell",
                               "--object-path", "/PlasmaShell", "--method",
                               "org.kde.PlasmaShell.evaluateScript", gvariantString(text)}))
        return;
    // gdbus missing or refused: Qt's D-Bus tool takes the script as it is.
    if (!runner_->run("qdbus", {"org.kde.plasmashell", "/PlasmaShell",
                                "org.kde.PlasmaShell.evaluateScript", text}))
        throw Failure(platform::translate("Desktop", "A háttérkép nem állítható be, mert egy "
                                                     "Plasma asztal sem vette át (nem fut a "
                                                     "plasmashell, nincs asztala, vagy hiányzik "
                                                     "a gdbus)."));
}

} // namespace zolvera::desktop
