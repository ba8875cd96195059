#include "library/Cover.h"

#include "platform/FileSystem.h"

#include <algorithm>

namespace zolvera::library {

bool isCoverName(std::string_view name) {
    return std::ranges::equal(name, kCoverFileName, {}, [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
}

bool hasCover(const std::string& folder) {
    return platform::fileExists(folder + "/" + std::string(kCoverFileName));
}

} // namespace zolvera::library
