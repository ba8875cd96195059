#include "packages/Catalogue.h"

#include "library/Seged.h"
#include "packages/PackageReader.h"
#include "platform/CodePage.h"
#include "platform/Failure.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"

#include <algorithm>
#include <charconv>
#include <set>

namespace zolvera::packages {

std::vector<CatalogueEntry> readCatalogue(const std::string& path) {
    // TAB, CR and LF are the same bytes in both encodings, so the text is split after converting.
    const library::StringList lines =
        library::textLines(platform::ansiToUtf8(platform::readWholeFile(path)));
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
        throw Failure("Hibás csomagméret a listában: \"" + size + "\"");
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
                throw Failure("Tabulátor vagy sortörés nem állhat a csomaglista mezőjében: \"" +
                              *field + "\"");
            const std::optional<std::string> ansi = platform::utf8ToAnsi(*field);
            if (!ansi)
                throw Failure("A csomaglista mezője nem írható Windows-1250 kódolással: \"" +
                              *field + "\"");
            bytes += *ansi;
            bytes += field == &entry.size ? "\r\n" : "\t";
        }
    }
    return bytes;
}

std::vector<CatalogueEntry> catalogueOfFolder(const std::string& folder,
                                              const std::string& baseUrl) {
    std::vector<std::string> names = platform::listByMask(folder + platform::kSeparator + "*.dta");
    std::sort(names.begin(), names.end());
    std::vector<CatalogueEntry> entries;
    for (const std::string& name : names) {
        const std::string path = folder + platform::kSeparator + name;
        if (!platform::fileExists(path))
            continue;
        PackageReader reader(path);
        const std::string group = reader.readGroupName();
        const auto size = platform::File::openRead(path).size();
        entries.push_back({group, baseUrl + "/" + name, std::to_string(size)});
    }
    return entries;
}

} // namespace zolvera::packages
