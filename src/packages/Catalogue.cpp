#include "packages/Catalogue.h"

#include "library/Seged.h"
#include "packages/PackageReader.h"
#include "platform/CodePage.h"
#include "platform/Failure.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "platform/Translate.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <set>

namespace zolvera::packages {

std::vector<CatalogueEntry> readCatalogue(const std::string& path) {
    // Lines are measured in the file's own bytes; TAB, CR and LF are the same bytes in both
    // encodings, so the kept ones are converted together and split again.
    std::string kept;
    const library::StringList fileLines = library::textLines(platform::readWholeFile(path));
    for (const std::string& line : fileLines.items())
        if (line.size() <= kMaxCatalogueLine)
            kept += line + "\n";
    const library::StringList lines = library::textLines(platform::ansiToUtf8(kept));
    std::vector<CatalogueEntry> entries;
    for (const std::string& line : lines.items())
        entries.push_back({library::GetField(line, '\t', 1), library::GetField(line, '\t', 2),
                           library::GetField(line, '\t', 3)});
    return entries;
}

std::vector<CatalogueEntry> catalogueRows(std::vector<CatalogueEntry> entries,
                                          const library::StringList& groups) {
    std::set<std::string> held;
    for (const std::string& group : groups.items())
        held.insert(platform::toLowerLocale(group));
    std::erase_if(entries, [&](const CatalogueEntry& entry) {
        return held.contains(platform::toLowerLocale(entry.name));
    });
    std::stable_sort(entries.begin(), entries.end(),
                     [](const CatalogueEntry& a, const CatalogueEntry& b) {
                         return platform::compareLocale(a.name, b.name) < 0;
                     });
    return entries;
}

std::int32_t packageSize(const std::string& size) {
    std::int32_t value = 0;
    const char* end = size.data() + size.size();
    const auto [stop, error] = std::from_chars(size.data(), end, value);
    if (size.empty() || size.front() == '-' || error != std::errc() || stop != end)
        throw Failure(platform::substitute(
            platform::translate("Packages", "Hibás csomagméret a listában: \"%1\""), {size}));
    return value;
}

std::optional<std::string> downloadName(const std::string& link) {
    const std::size_t cut = link.find_last_of("/:");
    std::string name = cut == std::string::npos ? link : link.substr(cut + 1);
    const bool plain = !name.empty() && name != "." && name != ".." &&
                       std::none_of(name.begin(), name.end(), [](unsigned char c) {
                           return c < 0x20 || c == 0x7f || c == '\\';
                       });
    return plain ? std::optional(name) : std::nullopt;
}

std::string catalogueBytes(const std::vector<CatalogueEntry>& entries) {
    std::string bytes;
    for (const CatalogueEntry& entry : entries) {
        for (const std::string* field : {&entry.name, &entry.link, &entry.size}) {
            if (field->find_first_of("\t\r\n") != std::string::npos)
                throw Failure(platform::substitute(
                    platform::translate(
                        "Packages", "Tabulátor vagy sortörés nem állhat a csomaglista mezőjében: "
                                    "\"%1\""),
                    {*field}));
            const std::optional<std::string> ansi = platform::utf8ToAnsi(*field);
            if (!ansi)
                throw Failure(platform::substitute(
                    platform::translate("Packages",
                                        "A csomaglista mezője nem írható Windows-1250 kódolással: "
                                        "\"%1\""),
                    {*field}));
            bytes += *ansi;
            bytes += field == &entry.size ? "\r\n" : "\t";
        }
    }
    return bytes;
}

namespace {

// The bytes with every one but the letters, digits and "-._~" percent-encoded (RFC 3986), so
// that they stand for themselves in a URL's path. By hand: the rule is one comparison per byte.
std::string percentEncoded(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
            std::string_view("-._~").find(c) != std::string_view::npos) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0xF];
        }
    }
    return encoded;
}

} // namespace

std::vector<CatalogueEntry> catalogueOfFolder(const std::string& folder,
                                              const std::string& baseUrl) {
    // A missing folder would otherwise list no package and make an empty catalogue.
    std::error_code error;
    std::filesystem::directory_iterator probe(folder, error);
    if (error)
        throw Failure(platform::substitute(
            platform::translate("Packages", "A(z) \"%1\" mappa nem olvasható: %2"),
            {folder, error.message()}));
    std::vector<std::string> names = platform::listByMask(folder + platform::kSeparator + "*.dta");
    std::sort(names.begin(), names.end());
    std::vector<CatalogueEntry> entries;
    for (const std::string& name : names) {
        const std::string path = folder + platform::kSeparator + name;
        if (!platform::fileExists(path))
            continue;
        std::uint64_t size = 0;
        try {
            size = platform::File::openRead(path).size();
        } catch (const IoFailure& failure) {
            throw Failure(platform::substitute(
                platform::translate("Packages", "A(z) \"%1\" csomag nem olvasható: %2"),
                {path, failure.reason()}));
        }
        std::string group;
        try {
            group = PackageReader(path).readGroupName();
        } catch (const Failure&) {
            throw Failure(platform::substitute(
                platform::translate("Packages",
                                    "A(z) \"%1\" csomag sérült: a csoport neve nem olvasható."),
                {path}));
        }
        entries.push_back({group, baseUrl + "/" + percentEncoded(name), std::to_string(size)});
    }
    return entries;
}

} // namespace zolvera::packages
