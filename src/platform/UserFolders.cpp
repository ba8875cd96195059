#include "platform/UserFolders.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace zolvera::platform {

std::string userHomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return home;
    const passwd* entry = ::getpwuid(::getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

std::string userBaseFolder(const char* variable, const char* defaultUnderHome) {
    std::string folder;
    if (const char* value = std::getenv(variable); value != nullptr && value[0] == '/') {
        folder = value;
    } else {
        folder = userHomeFolder() + defaultUnderHome;
    }
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

} // namespace zolvera::platform
