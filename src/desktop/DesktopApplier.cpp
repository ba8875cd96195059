#include "desktop/DesktopApplier.h"

#include "desktop/CommandAppliers.h"
#include "desktop/PlasmaApplier.h"
#include "desktop/SwaybgApplier.h"
#include "desktop/WallpaperLink.h"
#include "desktop/X11Applier.h"
#include "desktop/X11Monitors.h"
#include "desktop/XfceApplier.h"
#include "platform/Failure.h"
#include "platform/Translate.h"
#include "platform/UserFolders.h"

#include <array>
#include <cctype>

namespace zolvera::desktop {

namespace {

struct KnownDesktop {
    std::string_view prefix; // of an XDG_CURRENT_DESKTOP entry or a DESKTOP_SESSION name
    DesktopSession session;
};

// Budgie, Pantheon and Unity keep their wallpaper in GNOME's settings.
constexpr std::array<KnownDesktop, 13> kKnownDesktops{{
    {"gnome", DesktopSession::Gnome},
    {"ubuntu", DesktopSession::Gnome},
    {"unity", DesktopSession::Gnome},
    {"budgie", DesktopSession::Gnome},
    {"pantheon", DesktopSession::Gnome},
    {"x-cinnamon", DesktopSession::Cinnamon},
    {"cinnamon", DesktopSession::Cinnamon},
    {"mate", DesktopSession::Mate},
    {"kde", DesktopSession::Plasma},
    {"plasma", DesktopSession::Plasma},
    {"xfce", DesktopSession::Xfce},
    {"xubuntu", DesktopSession::Xfce},
    {"sway", DesktopSession::Sway},
}};

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    return true;
}

DesktopSession knownDesktop(std::string_view name) {
    for (const auto& known : kKnownDesktops)
        if (startsWithIgnoringCase(name, known.prefix))
            return known.session;
    return DesktopSession::None;
}

// A session without a desktop to show a wallpaper on.
class NoDesktop : public DesktopApplier {
public:
    void apply(const std::string&, WallpaperStyle) override {
        throw Failure(platform::translate("Desktop", "Nincs grafikus felület (sem a DISPLAY, sem "
                                                     "a WAYLAND_DISPLAY nincs beállítva), ezért "
                                                     "a háttérkép nem állítható be."));
    }
};

} // namespace

DesktopSession detectDesktopSession(const SessionEnvironment& environment) {
    std::string_view currentDesktop = environment.currentDesktop;
    while (!currentDesktop.empty()) {
        const auto end = currentDesktop.find(':');
        if (const auto session = knownDesktop(currentDesktop.substr(0, end));
            session != DesktopSession::None)
            return session;
        currentDesktop.remove_prefix(end == std::string_view::npos ? currentDesktop.size()
                                                                   : end + 1);
    }
    if (environment.swaySocket)
        return DesktopSession::Sway;
    // Display managers may give DESKTOP_SESSION as the path of the session file.
    const std::string_view sessionName =
        environment.sessionName.substr(environment.sessionName.rfind('/') + 1);
    if (const auto session = knownDesktop(sessionName); session != DesktopSession::None)
        return session;
    if (environment.wayland)
        return DesktopSession::Wayland;
    return environment.display ? DesktopSession::X11 : DesktopSession::None;
}

DesktopSession detectDesktopSession() {
    return detectDesktopSession({.currentDesktop = platform::environment("XDG_CURRENT_DESKTOP"),
                                 .sessionName = platform::environment("DESKTOP_SESSION"),
                                 .swaySocket = !platform::environment("SWAYSOCK").empty(),
                                 .wayland = !platform::environment("WAYLAND_DISPLAY").empty(),
                                 .display = !platform::environment("DISPLAY").empty()});
}

std::unique_ptr<DesktopApplier> makeDesktopApplier(DesktopSession session) {
    std::unique_ptr<DesktopApplier> settings; // a desktop that keeps the picture in its settings
    switch (session) {
    case DesktopSession::Gnome:
        settings = std::make_unique<GSettingsApplier>(GSettingsApplier::gnome(),
                                                      std::make_unique<ProcessRunner>());
        break;
    case DesktopSession::Cinnamon:
        settings = std::make_unique<GSettingsApplier>(GSettingsApplier::cinnamon(),
                                                      std::make_unique<ProcessRunner>());
        break;
    case DesktopSession::Mate:
        settings = std::make_unique<GSettingsApplier>(GSettingsApplier::mate(),
                                                      std::make_unique<ProcessRunner>());
        break;
    case DesktopSession::Plasma:
        settings = std::make_unique<PlasmaApplier>(std::make_unique<ProcessRunner>());
        break;
    case DesktopSession::Xfce:
        settings =
            std::make_unique<XfceApplier>(std::make_unique<ProcessRunner>(), x11MonitorOutputNames);
        break;
    case DesktopSession::Sway:
        return std::make_unique<FreshLinkApplier>(
            std::make_unique<SwayApplier>(std::make_unique<ProcessRunner>()), swayLinkFolder());
    case DesktopSession::Wayland: // a swaybg of its own, started anew at every call
        return std::make_unique<SwaybgApplier>();
    case DesktopSession::X11: // draws the picture itself at every call
        return std::make_unique<X11Applier>();
    case DesktopSession::None:
        return std::make_unique<NoDesktop>();
    }
    return std::make_unique<FreshLinkApplier>(std::move(settings));
}

} // namespace zolvera::desktop
