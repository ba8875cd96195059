#pragma once

#include <optional>
#include <string>
#include <string_view>

// Texts in the program's files are Windows-1250 bytes; names on disk and on screen are UTF-8.
// These convert at that boundary (iconv).
namespace zolvera::platform {

// Windows-1250 bytes to UTF-8. Never fails: the five bytes the code page leaves unassigned
// map to the control characters of the same number, as Windows does, so bytes round-trip.
std::string ansiToUtf8(std::string_view ansi);

// UTF-8 to Windows-1250 bytes; nothing when the text holds a character the code page lacks
// or is not valid UTF-8.
std::optional<std::string> utf8ToAnsi(std::string_view utf8);

} // namespace zolvera::platform
