#include "desktop/CommandAppliers.h"

#include <QString>
#include <QUrl>

#include <cstdio>
#include <sstream>

namespace zolvera::desktop {

namespace {

// Plasma's image plugin fill modes: Image.Stretch and Image.Pad.
constexpr int kPlasmaStretch = 0;
constexpr int kPlasmaCentre = 6;
// xfdesktop's image-style values.
constexpr int kXfceCentred = 1;
constexpr int kXfceStretched = 3;

const std::string kLastImage = "/last-image";

} // namespace

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
    runner_->run("gsettings", {"set", schema_.name, "picture-options",
                               gvariantString(stretch ? "stretched" : "centered")});
    const auto picture = gvariantString(schema_.asUri ? fileUri(bitmapPath) : bitmapPath);
    for (const auto& key : schema_.pictureKeys)
        runner_->run("gsettings", {"set", schema_.name, key, picture});
}

void PlasmaApplier::apply(const std::string& bitmapPath, WallpaperStyle style) {
    const int fillMode = style == WallpaperStyle::Stretch ? kPlasmaStretch : kPlasmaCentre;
    // The URI is percent-encoded, so it needs no escaping inside the script's double quotes.
    std::ostringstream script;
    script << "var all = desktops();\n"
              "for (var i = 0; i < all.length; i++) {\n"
              "    var d = all[i];\n"
              "    if (d.wallpaperPlugin != \"org.kde.image\") continue;\n"
              "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
              "    d.writeConfig(\"FillMode\", "
           << fillMode << ");\n    d.writeConfig(\"Image\", \"" << fileUri(bitmapPath)
           << "\");\n}\n";
    const auto gdbusResult =
        runner_->run("gdbus", {"call", "--session", "--dest", "org.kde.plasmashell",
                               "--object-path", "/PlasmaShell", "--method",
                               "org.kde.PlasmaShell.evaluateScript", gvariantString(script.str())});
    if (!gdbusResult) // gdbus missing or refused: Qt's D-Bus tool takes the script as it is
        runner_->run("qdbus", {"org.kde.plasmashell", "/PlasmaShell",
                               "org.kde.PlasmaShell.evaluateScript", script.str()});
}

void XfceApplier::apply(const std::string& bitmapPath, WallpaperStyle style) {
    const auto listing = runner_->run("xfconf-query", {"-c", "xfce4-desktop", "-l"});
    if (!listing)
        return;
    const int imageStyle = style == WallpaperStyle::Stretch ? kXfceStretched : kXfceCentred;
    std::istringstream lines(*listing);
    for (std::string property; std::getline(lines, property);) {
        if (property.size() <= kLastImage.size() ||
            property.compare(property.size() - kLastImage.size(), kLastImage.size(), kLastImage))
            continue;
        const auto base = property.substr(0, property.size() - kLastImage.size());
        runner_->run("xfconf-query", {"-c", "xfce4-desktop", "-p", base + "/image-style", "-n",
                                      "-t", "int", "-s", std::to_string(imageStyle)});
        runner_->run("xfconf-query", {"-c", "xfce4-desktop", "-p", property, "-s", bitmapPath});
    }
}

} // namespace zolvera::desktop
