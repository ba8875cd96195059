// The parts of FileSystem.h that are the same on every system: masks and path splitting.
#include "platform/FileSystem.h"

#include "platform/Locale.h"

#include <unicode/utf8.h>

#include <cstdint>

namespace zolvera::platform {

namespace {

// The case-folded characters of a text; a byte that is not UTF-8 stands for itself as a
// lone surrogate, which no well-formed UTF-8 decodes to.
std::u32string foldedCharacters(std::string_view text) {
    const std::string folded = foldCase(text);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(folded.data());
    const auto length = static_cast<std::int32_t>(folded.size());
    std::u32string characters;
    for (std::int32_t i = 0; i < length;) {
        const std::int32_t start = i;
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) {
            i = start + 1;
            c = 0xDC00 + bytes[start];
        }
        characters += static_cast<char32_t>(c);
    }
    return characters;
}

// Wildcard matching with backtracking to the last '*' only, linear in practice.
bool wildcardMatch(const std::u32string& name, const std::u32string& mask) {
    std::size_t n = 0;
    std::size_t m = 0;
    std::size_t starMask = std::u32string::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == U'?' || mask[m] == name[n])) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == U'*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::u32string::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == U'*')
        ++m;
    return m == mask.size();
}

} // namespace

bool matchesMask(std::string_view name, std::string_view mask) {
    const std::u32string foldedName = foldedCharacters(name);
    const std::u32string foldedMask = foldedCharacters(mask);
    if (wildcardMatch(foldedName, foldedMask))
        return true;
    return foldedMask.ends_with(U".*") &&
           wildcardMatch(foldedName, foldedMask.substr(0, foldedMask.size() - 2));
}

std::string fileNamePart(std::string_view path) {
    const std::size_t slash = path.rfind(kSeparator);
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string folderPart(std::string_view path) {
    const std::size_t slash = path.rfind(kSeparator);
    if (slash == std::string_view::npos)
        return ".";
    return std::string(path.substr(0, slash == 0 ? 1 : slash));
}

} // namespace zolvera::platform
