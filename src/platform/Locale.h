#pragma once

#include <string>
#include <string_view>

// Comparisons that follow the user's locale (LC_ALL, LC_COLLATE, LANG), with ICU.
namespace zolvera::platform {

// Linguistic, case-sensitive comparison standing in for lstrcmpA: negative, 0 or positive.
int compareLocale(std::string_view a, std::string_view b);

// Equality without regard to letter case (Unicode case folding, national letters included).
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Lower case in the user's locale.
std::string toLowerLocale(std::string_view text);

// Case folded form used as a key when names are compared without regard to case.
std::string foldCase(std::string_view text);

} // namespace zolvera::platform
