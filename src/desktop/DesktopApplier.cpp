#include "desktop/DesktopApplier.h"

#include "desktop/CommandAppliers.h"
#include "desktop/WallpaperLink.h"
#include "desktop/X11Applier.h"

#include <array>
#include <cctype>
#include <cstdlib>

namespace zolvera::desktop {

namespace {

struct KnownDesktop {
    std::string_view prefix; // of an XDG_CURRENT_DESKTOP entry or a DESKTOP_SESSION name
    DesktopSession session;
};

// Budgie, Pantheon and Unity keep their wallpaper in GNOME's settings.
constexpr std::array<KnownDesktop, 12> kKnownDesktops{{
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

std::string_view environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string_view() : std::string_view(value);
}

// Does nothing: a session without a desktop to show a wallpaper on.
class NoDesktop : public DesktopApplier {
public:
    void apply(const std::string&, WallpaperStyle) override {}
};

} // namespace

DesktopSession detectDesktopSession(std::string_view currentDesktop, std::string_view sessionName,
                                    bool hasDisplay) {
    while (!currentDesktop.empty()) {
        const auto end = currentDesktop.find(':');
        if (const auto session = knownDesktop(currentDesktop.substr(0, end));
            session != DesktopSession::None)
            return session;
        currentDesktop.remove_prefix(end == std::string_view::npos ? currentDesktop.size()
                                                                   : end + 1);
    }
    // Display managers may give DESKTOP_SESSION as the path of the session file.
    sessionName = sessionName.substr(sessionName.rfind('/') + 1);
    if (const auto session = knownDesktop(sessionName); session != DesktopSession::None)
        return session;
    return hasDisplay ? DesktopSession::X11 : DesktopSession::None;
}

DesktopSession detectDesktopSession() {
    return detectDesktopSession(environment("XDG_CURRENT_DESKTOP"), environment("DESKTOP_SESSION"),
                                !environment("DISPLAY").empty());
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
        settings = std::make_unique<XfceApplier>(std::make_unique<ProcessRunner>());
        break;
    case DesktopSession::X11: // draws the picture itself at every call
        return std::make_unique<X11Applier>();
    case DesktopSession::None:
        return std::make_unique<NoDesktop>();
    }
    return std::make_unique<FreshLinkApplier>(std::move(settings));
}

} // namespace zolvera::desktop
