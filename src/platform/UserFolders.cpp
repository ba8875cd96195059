#include "platform/UserFolders.h"

#include <cstdlib>

namespace zolvera::platform {

std::string userBaseFolder(const char* variable, const char* defaultUnderHome) {
    std::string folder;
    if (const char* value = std::getenv(variable); value != nullptr && value[0] == '/') {
        folder = value;
    } else {
        const char* home = std::getenv("HOME");
        folder = std::string(home != nullptr ? home : "") + defaultUnderHome;
    }
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

} // namespace zolvera::platform
