#include "packages/InstallOffer.h"

#include "platform/Locale.h"

namespace zolvera::packages {

std::optional<std::string> installOfferQuestion(std::string_view firstArgument) {
    if (firstArgument.empty() || firstArgument == "/reg")
        return std::nullopt;
    return "Telepítsem a " + platform::toLowerLocale(firstArgument) + " csomagot?";
}

} // namespace zolvera::packages
