#pragma once

#include <cstdint>
#include <string>

// Initialisation (.ini) files, read and updated as Windows' profile functions do.
namespace zolvera::platform {

// The value of a key, blanks trimmed at both ends; the default when the file, section or key
// is missing. Section and key are found without regard to case.
std::string readProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& defaultValue);

// The value read as a 32-bit integer: "0x"/"0X" hexadecimal when longer than two characters,
// "$" hexadecimal, otherwise decimal with an optional sign; the number must fill the whole
// value. Anything else, an empty value and a missing key yield the default.
std::int32_t readProfileInt(const std::string& path, const std::string& section,
                            const std::string& key, std::int32_t defaultValue);

// Writes a key: replaces its value where it stands, or adds it at the end of its section, or
// adds the section at the end of the file, or creates the file. Every other line stays byte
// for byte; new lines end in CR LF; the file is replaced atomically. False when it cannot
// be written (the file is then unchanged).
bool writeProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value);

} // namespace zolvera::platform
