#pragma once

#include <string>

namespace zolvera::library {

// True when the file is a help document as a Zolvera build wrote it with Qt's PDF writer: its
// document information, the first object of the file, names Zolvera as creator and in its title
// and Qt as producer, and nothing was saved into it since (its only trailer has no earlier
// section). A document another program made or saved again, a damaged or unreadable file, is not.
// Reads at most the first 4 KiB and the last 1 KiB of the file.
bool isBuiltHelpDocument(const std::string& path);

} // namespace zolvera::library
