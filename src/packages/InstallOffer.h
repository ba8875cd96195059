#pragma once

#include <optional>
#include <string>
#include <string_view>

// The offer at start-up to install the package named as the first command-line argument.
namespace zolvera::packages {

std::string installOfferCaption();
// Shown after an installation that returned normally.
std::string installDoneText();

// The question to ask for the first command-line argument (empty when there is none), or
// nothing when no offer is made: no argument, or exactly "/reg". The question shows the
// argument lower-cased; the installation is given the argument unchanged.
std::optional<std::string> installOfferQuestion(std::string_view firstArgument);

} // namespace zolvera::packages
