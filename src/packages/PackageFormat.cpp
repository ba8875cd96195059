#include "packages/PackageFormat.h"

#include "platform/Translate.h"

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
    return Failure(platform::substitute(
        platform::translate("Packages", "A(z) \"%1\" csomag telepítése nem sikerült: %2."),
        {packagePath, reason}));
}

Failure damagedPackage(const std::string& packagePath) {
    return Failure(platform::substitute(
        platform::translate("Packages", "A(z) \"%1\" csomag sérült vagy hiányos, a telepítés a "
                                        "hibás résznél megszakadt."),
        {packagePath}));
}

Failure unusableGroupName(const std::string& packagePath) {
    return Failure(platform::substitute(
        platform::translate("Packages", "A(z) \"%1\" csomag csoportneve nem használható "
                                        "könyvtárnévként, a csomag nem telepíthető."),
        {packagePath}));
}

Failure groupFolderIsLink(const std::string& packagePath, const std::string& groupName) {
    return Failure(platform::substitute(
        platform::translate("Packages", "A(z) \"%1\" csomag nem telepíthető, mert a(z) \"%2\" "
                                        "csoport könyvtára szimbolikus link."),
        {packagePath, groupName}));
}

Failure groupFolderUnavailable(const std::string& packagePath, const std::string& groupName) {
    return Failure(platform::substitute(
        platform::translate("Packages", "A(z) \"%1\" csomag nem telepíthető, mert a(z) \"%2\" "
                                        "csoport könyvtára nem hozható létre."),
        {packagePath, groupName}));
}

Failure tooManyEntries(const std::string& packagePath) {
    return Failure(platform::substitute(
        platform::translate(
            "Packages", "A(z) \"%1\" csomag nem telepíthető, mert több mint %2 fájlt tartalmaz."),
        {packagePath, std::to_string(kMaxEntries)}));
}

Failure refusedEntries(const std::string& packagePath, const std::vector<std::string>& names) {
    std::string list;
    for (std::size_t i = 0; i < std::min(names.size(), kNamedRefusedEntries); ++i)
        list += (list.empty() ? "\"" : ", \"") + names[i] + "\"";
    if (names.size() > kNamedRefusedEntries)
        list += platform::substitute(platform::translate("Packages", " és még %1 további"),
                                     {std::to_string(names.size() - kNamedRefusedEntries)});
    return Failure(platform::substitute(
        platform::translate("Packages", "A(z) \"%1\" csomag ezen fájljai nem települtek, mert a "
                                        "nevük nem használható, vagy a helyükön nem közönséges "
                                        "fájl áll: %2."),
        {packagePath, list}));
}

} // namespace zolvera::packages
