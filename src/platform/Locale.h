#pragma once

#include <string>
#include <string_view>

// Comparisons that follow the user's locale, with ICU: collation from LC_ALL, LC_COLLATE or
// LANG, lower case from LC_ALL, LC_CTYPE or LANG (the first one set), looked up at every call.
// Safe from any thread: each thread keeps its own collator.
// Texts are UTF-8; bytes that are not UTF-8 are kept as they stand by the case functions.
namespace zolvera::platform {

// Linguistic, case-sensitive comparison standing in for lstrcmpA: negative, 0 or positive.
int compareLocale(std::string_view a, std::string_view b);

// Equality without regard to letter case: foldCase of both texts is the same.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Lower case in the user's locale.
std::string toLowerLocale(std::string_view text);

// Case folded form used as a key when names are compared without regard to case: Unicode
// simple case folding, one character for one, as file names are compared on Windows ("Á"
// equals "á", "ß" does not equal "ss").
std::string foldCase(std::string_view text);

} // namespace zolvera::platform
