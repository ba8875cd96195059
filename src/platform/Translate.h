#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The program's texts in the language of the user interface, for the code that makes its
// messages as UTF-8 strings. The source texts are the program's own Hungarian ones; lupdate
// collects them from the calls of translate, and the translator that platform/UiLanguage.h
// installs gives their translation. A text with parts that vary is translated whole, with "%1"
// to "%9" where the parts go:
//     substitute(translate("Library", "Töröljem a %1 képet?"), {name})
namespace zolvera::platform {

// The translation of the source text in the context, or the source text itself when there is
// none.
std::string translate(const char* context, const char* sourceText);

// The text with "%1" to "%9" replaced by the matching argument, in one pass, so that an
// argument holding "%2" is kept as it is; any other "%" stays.
std::string substitute(std::string_view text, std::initializer_list<std::string_view> arguments);

} // namespace zolvera::platform
