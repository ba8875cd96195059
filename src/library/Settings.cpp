#include "library/Settings.h"

#include "library/LibraryLock.h"
#include "platform/Failure.h"
#include "platform/Profile.h"

namespace zolvera::library {

namespace {

const std::string kSection = "Defaults";

bool readBool(const std::string& iniPath, const std::string& key, bool defaultValue) {
    return platform::readProfileInt(iniPath, kSection, key, defaultValue ? 1 : 0) != 0;
}

void write(const std::string& iniPath, const std::string& key, const std::string& value) {
    if (!platform::writeProfileString(iniPath, kSection, key, value))
        throw failures::unableToWrite(iniPath);
}

} // namespace

void TBeall::LoadSettings(const std::string& iniPath) {
    Nyujt = readBool(iniPath, "Nyujt", false);
    Leptet = platform::readProfileInt(iniPath, kSection, "Leptet", 1);
    Teljes = readBool(iniPath, "Teljes", false);
    IndexHV = platform::readProfileInt(iniPath, kSection, "IndexHV", 1);
    IndexBV = platform::readProfileInt(iniPath, kSection, "IndexBV", 1);
    Server = platform::readProfileString(iniPath, "Internet", "Server", "");
}

void TBeall::SaveSettings(const std::string& iniPath, const platform::LockWait& wait) const {
    // Another program saving at the same time would write its copy over some of these keys.
    const platform::FolderLock lock = lockFolderOf(
        iniPath, wait, [&](const std::string&) { return failures::unableToWrite(iniPath); });
    write(iniPath, "Nyujt", Nyujt ? "1" : "0");
    write(iniPath, "Leptet", std::to_string(Leptet));
    write(iniPath, "Teljes", Teljes ? "1" : "0");
    write(iniPath, "IndexHV", std::to_string(IndexHV));
    write(iniPath, "IndexBV", std::to_string(IndexBV));
}

} // namespace zolvera::library
