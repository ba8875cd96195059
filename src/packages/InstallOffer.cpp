#include "packages/InstallOffer.h"

#include "platform/Locale.h"
#include "platform/Translate.h"

namespace zolvera::packages {

std::string installOfferCaption() {
    return platform::translate("Packages", "Megerősítés");
}

std::string installDoneText() {
    return platform::translate("Packages", "A csomag kibontása kész.");
}

std::optional<std::string> installOfferQuestion(std::string_view firstArgument) {
    if (firstArgument.empty() || firstArgument == "/reg")
        return std::nullopt;
    return platform::substitute(platform::translate("Packages", "Telepítsem a %1 csomagot?"),
                                {platform::toLowerLocale(firstArgument)});
}

} // namespace zolvera::packages
