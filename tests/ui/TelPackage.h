#pragma once

#include "support/JpegFixtures.h"

#include <cstdint>
#include <string>

namespace zolvera::test {

// A length-prefixed field of a package.
inline std::string packageField(const std::string& bytes) {
    const auto size = static_cast<std::uint32_t>(bytes.size());
    const char length[4] = {char(size), char(size >> 8), char(size >> 16), char(size >> 24)};
    return std::string(length, 4) + bytes;
}

// A package of the group Tel: the picture a.jpg and its cover.
inline const std::string kPicture = jpegBytes();
inline const std::string kTelPackage = packageField("Tel") + packageField("a.jpg") +
                                       packageField(kPicture) + packageField("Init.jpg") +
                                       packageField(jpegBytes({.gray = true}));

} // namespace zolvera::test
