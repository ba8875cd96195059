#include "library/Seged.h"

#include "platform/FileSystem.h"

#include <algorithm>

namespace zolvera::library {

namespace {

// The cover is recognised by ASCII letters only: a locale's lower-casing (Turkish "I") must
// not decide whether a group's cover counts as a picture.
bool isCover(const std::string& name) {
    static constexpr std::string_view kCover = "init.jpg";
    return std::ranges::equal(name, kCover, {}, [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
}

} // namespace

void ListPictureFiles(const std::string& maskPath, StringList& list) {
    list.clear();
    for (auto& name : platform::listByMask(maskPath))
        if (!isCover(name))
            list.add(std::move(name));
}

std::string GetField(const std::string& text, char separator, int fieldNumber) {
    if (fieldNumber < 1)
        return {};
    std::size_t start = 0;
    for (int field = 1; field < fieldNumber; ++field) {
        const std::size_t next = text.find(separator, start);
        if (next == std::string::npos)
            return {};
        start = next + 1;
    }
    const std::size_t end = text.find(separator, start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

} // namespace zolvera::library
