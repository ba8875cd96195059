#include "desktop/CommandAppliers.h"

#include "desktop/WallpaperLink.h"
#include "platform/Failure.h"
#include "platform/Translate.h"
#include "platform/UserFolders.h"

#include <QString>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

namespace zolvera::desktop {

std::string fileUri(const std::string& path) {
    return QUrl::fromLocalFile(QString::fromStdString(path)).toEncoded().toStdString();
}

std::string gvariantString(const std::string& text) {
    std::string out = "'";
    for (const char c : text) {
        if (c == '\\' || c == '\'') {
            out.push_back('\\');
            out.push_back(c);
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
            out += escaped;
        } else {
            out.push_back(c);
        }
    }
    return out + "'";
}

GSettingsApplier::Schema GSettingsApplier::gnome() {
    return {"org.gnome.desktop.background", {"picture-uri", "picture-uri-dark"}, true};
}

GSettingsApplier::Schema GSettingsApplier::cinnamon() {
    return {"org.cinnamon.desktop.background", {"picture-uri"}, true};
}

GSettingsApplier::Schema GSettingsApplier::mate() {
    return {"org.mate.background", {"picture-filename"}, false};
}

void GSettingsApplier::apply(const std::string& bitmapPath, WallpaperStyle style) {
    // The options first, so the new picture is drawn once, in its final form.
    const bool stretch = style == WallpaperStyle::Stretch;
    runOrFail(*runner_, "gsettings",
              {"set", schema_.name, "picture-options",
               gvariantString(stretch ? "stretched" : "centered")});
    const auto picture = gvariantString(schema_.asUri ? fileUri(bitmapPath) : bitmapPath);
    for (const auto& key : schema_.pictureKeys)
        runOrFail(*runner_, "gsettings", {"set", schema_.name, key, picture});
}

bool swayTakesPath(const std::string& path) {
    return path.find_first_of("'\"\\") == std::string::npos && path.find("  ") == std::string::npos;
}

std::string swayLinkFolder() {
    const std::string usual = wallpaperLinkFolder();
    if (swayTakesPath(usual))
        return usual;
    const std::string runtime = platform::userRuntimeFolder();
    return runtime.empty() ? usual : runtime + "/zolvera";
}

void SwayApplier::apply(const std::string& bitmapPath, WallpaperStyle style) {
    if (!swayTakesPath(bitmapPath))
        throw Failure(platform::substitute(
            platform::translate("Desktop", "A háttérkép nem állítható be, mert a sway nem tudja "
                                           "átvenni ezt az útvonalat: %1"),
            {bitmapPath}));
    runOrFail(*runner_, "swaymsg",
              {"output", "*", "bg", "\"'" + bitmapPath + "'\"",
               style == WallpaperStyle::Stretch ? "stretch" : "center", "#000000"});
}

} // namespace zolvera::desktop
