#include "library/Cover.h"

#include <algorithm>

namespace zolvera::library {

bool isCoverName(std::string_view name) {
    return std::ranges::equal(name, kCoverFileName, {}, [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
}

} // namespace zolvera::library
