#include "desktop/CommandAppliers.h"

#include "desktop/WallpaperLink.h"
#include "platform/Failure.h"
#include "platform/UserFolders.h"

#include <QString>
#include <QUrl>

#include <cstdio>
#include <cstdlib>
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

Failure toolFailed(const std::string& program) {
    return Failure("A háttérkép nem állítható be, mert nem futott le ez a parancs: " + program +
                   " (nincs telepítve, vagy nem fut a munkamenete).");
}

// Runs a tool whose failure means the desktop did not get the picture.
std::string runOrFail(CommandRunner& runner, const std::string& program,
                      const std::vector<std::string>& arguments) {
    auto output = runner.run(program, arguments);
    if (!output)
        throw toolFailed(program);
    return *std::move(output);
}

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
    runOrFail(*runner_, "gsettings",
              {"set", schema_.name, "picture-options",
               gvariantString(stretch ? "stretched" : "centered")});
    const auto picture = gvariantString(schema_.asUri ? fileUri(bitmapPath) : bitmapPath);
    for (const auto& key : schema_.pictureKeys)
        runOrFail(*runner_, "gsettings", {"set", schema_.name, key, picture});
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
        runOrFail(*runner_, "qdbus",
                  {"org.kde.plasmashell", "/PlasmaShell", "org.kde.PlasmaShell.evaluateScript",
                   script.str()});
}

void XfceApplier::apply(const std::string& bitmapPath, WallpaperStyle style) {
    const auto listing = runOrFail(*runner_, "xfconf-query", {"-c", "xfce4-desktop", "-l"});
    const int imageStyle = style == WallpaperStyle::Stretch ? kXfceStretched : kXfceCentred;
    std::istringstream lines(listing);
    for (std::string property; std::getline(lines, property);) {
        if (property.size() <= kLastImage.size() ||
            property.compare(property.size() - kLastImage.size(), kLastImage.size(), kLastImage))
            continue;
        const auto base = property.substr(0, property.size() - kLastImage.size());
        runner_->run("xfconf-query", {"-c", "xfce4-desktop", "-p", base + "/image-style", "-n",
                                      "-t", "int", "-s", std::to_string(imageStyle)});
        runOrFail(*runner_, "xfconf-query",
                  {"-c", "xfce4-desktop", "-p", property, "-s", bitmapPath});
    }
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
        throw Failure("A háttérkép nem állítható be, mert a sway nem tudja átvenni ezt az "
                      "útvonalat: " +
                      bitmapPath);
    runOrFail(*runner_, "swaymsg",
              {"output", "*", "bg", "\"'" + bitmapPath + "'\"",
               style == WallpaperStyle::Stretch ? "stretch" : "center", "#000000"});
}

} // namespace zolvera::desktop
