#include "desktop/XfceApplier.h"

#include "platform/Failure.h"
#include "platform/Translate.h"

#include <algorithm>
#include <sstream>

namespace zolvera::desktop {

namespace {

// xfdesktop's image-style values.
constexpr int kCentred = 1;
constexpr int kStretched = 3;

const std::string kLastImage = "/last-image";

std::vector<std::string> lastImageProperties(const std::string& listing) {
    std::vector<std::string> found;
    std::istringstream lines(listing);
    for (std::string property; std::getline(lines, property);)
        if (property.size() > kLastImage.size() && property.ends_with(kLastImage))
            found.push_back(property);
    return found;
}

} // namespace

XfceApplier::XfceApplier(std::unique_ptr<CommandRunner> runner,
                         std::function<std::vector<std::string>()> monitorNames)
    : runner_(std::move(runner)), monitorNames_(std::move(monitorNames)) {}

void XfceApplier::apply(const std::string& bitmapPath, WallpaperStyle style) {
    const auto xfconf = [this](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"-c", "xfce4-desktop"});
        return arguments;
    };
    auto properties = lastImageProperties(runOrFail(*runner_, "xfconf-query", xfconf({"-l"})));
    for (const auto& monitor : monitorNames_()) {
        const auto property = "/backdrop/screen0/monitor" + monitor + "/workspace0" + kLastImage;
        if (std::ranges::find(properties, property) == properties.end())
            properties.push_back(property);
    }
    if (properties.empty())
        throw Failure(platform::translate("Desktop", "A háttérkép nem állítható be, mert az XFCE "
                                                     "asztalnak nincs egy monitora sem (nem "
                                                     "érhető el az X kiszolgáló)."));
    const int imageStyle = style == WallpaperStyle::Stretch ? kStretched : kCentred;
    for (const auto& property : properties) {
        // The style first, so the new picture is drawn once, in its final form.
        const auto base = property.substr(0, property.size() - kLastImage.size());
        runOrFail(*runner_, "xfconf-query",
                  xfconf({"-p", base + "/image-style", "-n", "-t", "int", "-s",
                          std::to_string(imageStyle)}));
        runOrFail(*runner_, "xfconf-query",
                  xfconf({"-p", property, "-n", "-t", "string", "-s", bitmapPath}));
    }
}

} // namespace zolvera::desktop
