#include "packages/PackageFormat.h"

#include <algorithm>

namespace zolvera::packages {

std::array<char, kLengthFieldSize> encodeLength(std::uint32_t length) {
    return {static_cast<char>(length & 0xFF), static_cast<char>((length >> 8) & 0xFF),
            static_cast<char>((length >> 16) & 0xFF), static_cast<char>((length >> 24) & 0xFF)};
}

std::int32_t decodeLength(const char* field) {
    std::uint32_t value = 0;
    for (std::size_t i = kLengthFieldSize; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(field[i]);
    return static_cast<std::int32_t>(value);
}

Failure installFailed(const std::string& packagePath, const std::string& reason) {
    return Failure("A(z) \"" + packagePath + "\" csomag telepítése nem sikerült: " + reason + ".");
}

Failure damagedPackage(const std::string& packagePath) {
    return Failure("A(z) \"" + packagePath +
                   "\" csomag sérült vagy hiányos, a telepítés a hibás résznél megszakadt.");
}

Failure unusableGroupName(const std::string& packagePath) {
    return Failure("A(z) \"" + packagePath +
                   "\" csomag csoportneve nem használható könyvtárnévként, a csomag nem "
                   "telepíthető.");
}

Failure groupFolderIsLink(const std::string& packagePath, const std::string& groupName) {
    return Failure("A(z) \"" + packagePath + "\" csomag nem telepíthető, mert a(z) \"" + groupName +
                   "\" csoport könyvtára szimbolikus link.");
}

Failure groupFolderUnavailable(const std::string& packagePath, const std::string& groupName) {
    return Failure("A(z) \"" + packagePath + "\" csomag nem telepíthető, mert a(z) \"" + groupName +
                   "\" csoport könyvtára nem hozható létre.");
}

Failure tooManyEntries(const std::string& packagePath) {
    return Failure("A(z) \"" + packagePath + "\" csomag nem telepíthető, mert több mint " +
                   std::to_string(kMaxEntries) + " fájlt tartalmaz.");
}

Failure refusedEntries(const std::string& packagePath, const std::vector<std::string>& names) {
    std::string list;
    for (std::size_t i = 0; i < std::min(names.size(), kNamedRefusedEntries); ++i)
        list += (list.empty() ? "\"" : ", \"") + names[i] + "\"";
    if (names.size() > kNamedRefusedEntries)
        list += " és még " + std::to_string(names.size() - kNamedRefusedEntries) + " további";
    return Failure("A(z) \"" + packagePath +
                   "\" csomag ezen fájljai nem települtek, mert a nevük nem használható, vagy a "
                   "helyükön nem közönséges fájl áll: " +
                   list + ".");
}

} // namespace zolvera::packages
