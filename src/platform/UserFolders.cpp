#include "platform/UserFolders.h"

#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zolvera::platform {

namespace {

// Whether the path itself is a folder of this process's user with exactly the given mode bits
// among those in mask.
bool isOwnFolderWith(const std::string& path, mode_t mask, mode_t bits) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & mask) == bits;
}

bool isPrivateFolder(const std::string& path) {
    return isOwnFolderWith(path, 0777, 0700);
}

std::string userName() {
    if (const passwd* entry = ::getpwuid(::geteuid()); entry != nullptr && entry->pw_name)
        return entry->pw_name;
    return std::to_string(::geteuid());
}

} // namespace

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

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

bool isOwnFolder(const std::string& path) {
    return isOwnFolderWith(path, S_IWGRP | S_IWOTH, 0);
}

std::string userRuntimeFolder() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        runtime != nullptr && runtime[0] == '/' && isPrivateFolder(runtime))
        return runtime;
    const char* temporary = std::getenv("TMPDIR");
    std::string fallback = temporary != nullptr && temporary[0] == '/' ? temporary : "/tmp";
    while (fallback.size() > 1 && fallback.back() == '/')
        fallback.pop_back();
    fallback += "/runtime-" + userName();
    // Made anew or found: either way it counts only when it is ours and private.
    ::mkdir(fallback.c_str(), 0700);
    return isPrivateFolder(fallback) ? fallback : "";
}

} // namespace zolvera::platform
