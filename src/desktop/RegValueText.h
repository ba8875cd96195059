#pragma once

#include "desktop/Registry.h"

#include <optional>
#include <string>
#include <string_view>

// The syntax of one value line of a REGEDIT4 file: "name"= or @= followed by "text",
// dword:0000002a, hex:.. or hex(N):.. (a hex list may go on over lines ending in a backslash).
namespace zolvera::desktop::regtext {

// Names that fit on one line of the file.
bool isStorableName(std::string_view name);

std::string_view trimmed(std::string_view text);
bool startsWith(std::string_view text, std::string_view prefix);

// Reads a quoted text with the \\ and \" escapes from the front of rest, which starts at the
// opening quote; rest is left after the closing quote. Nothing when it is malformed.
std::optional<std::string> takeQuoted(std::string_view& rest);

// The value written after the '=' (continuation lines already joined).
std::optional<RegistryValue> parseData(std::string_view data);

// Appends the value's line (with its line break) in the form parseData reads back exactly.
void appendValueLine(std::string& out, std::string_view name, const RegistryValue& value);

} // namespace zolvera::desktop::regtext
