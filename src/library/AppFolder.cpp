#include "library/AppFolder.h"

#include <cstdlib>
#include <filesystem>

namespace zolvera::library {

namespace {

std::string withoutTrailingSeparator(std::string folder) {
    if (!folder.empty() && folder.back() == '/')
        folder.pop_back();
    return folder;
}

} // namespace

std::string findApplicationFolder() {
    if (const char* home = std::getenv("ZOLVERA_HOME"); home != nullptr && *home != '\0')
        return withoutTrailingSeparator(home);
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return withoutTrailingSeparator(std::filesystem::current_path().string());
    return withoutTrailingSeparator(exe.parent_path().string());
}

} // namespace zolvera::library
