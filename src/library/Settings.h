#pragma once

#include "platform/FolderLock.h"

#include <cstdint>
#include <string>

namespace zolvera::library {

// The settings record, kept in the section "Defaults" of the settings file, and the maker's web
// server from the section "Internet". Every field is false, 0 or empty until LoadSettings fills
// it in.
struct TBeall {
    bool Nyujt = false;       // stretch the wallpaper to the screen
    std::int32_t Leptet = 0;  // slideshow step, seconds; range limits are left to its users
    bool Teljes = false;      // slideshow window opens maximised
    std::int32_t IndexHV = 0; // kept in the file only
    std::int32_t IndexBV = 0; // kept in the file only
    // [Internet] Server: the catalogue's web server, "host[:port]"; empty when the file names
    // none. Read only: the program never writes it.
    std::string Server;

    // Reads the five keys in order, then the server; whatever cannot be read takes its default
    // (false, 1, false, 1, 1, empty). Never fails.
    void LoadSettings(const std::string& iniPath);
    // Writes the five keys in order, each as a separate update of the file, all under the lock
    // of the file's folder, waited for as `wait` says. Throws LibraryBusy, writing nothing, when
    // that waiting was given up, and "Unable to write to %s" at the first key that cannot be
    // written; later keys are not written.
    void SaveSettings(const std::string& iniPath, const platform::LockWait& wait = {}) const;
};

} // namespace zolvera::library
