#pragma once

#include <cstdint>
#include <string>

// Initialisation (.ini) files, read and updated as Windows' profile functions do. Texts are
// bytes (the files are Windows-1250); sections and keys are compared without regard to ASCII
// letter case. When a section or key occurs more than once, the first occurrence counts.
namespace zolvera::platform {

// The value of a key, blanks trimmed at both ends; the default when the file, section or key
// is missing. Section and key are found without regard to case.
std::string readProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& defaultValue);

// The value read as a 32-bit integer: "0x"/"0X" hexadecimal when longer than two characters,
// "$" hexadecimal, otherwise decimal with an optional sign; the number must fill the whole
// value. Hexadecimal values fill the 32 bits, so "$FFFFFFFF" reads as -1; larger numbers,
// anything else, an empty value and a missing key yield the default.
std::int32_t readProfileInt(const std::string& path, const std::string& section,
                            const std::string& key, std::int32_t defaultValue);

// Writes a key: replaces its value where it stands, or adds it after the last line of its section
// that is not blank, or adds the section at the end of the file, or creates the file. Every other
// line stays byte for byte; new lines end in CR LF; the file is replaced atomically. False when it
// cannot be written (the file is then unchanged), when an existing file cannot be read, and for a
// key, section or value that could not be read back (line breaks, "=" in the key, "]" in the
// section, blanks around the key).
[[nodiscard]] bool writeProfileString(const std::string& path, const std::string& section,
                                      const std::string& key, const std::string& value);

} // namespace zolvera::platform
