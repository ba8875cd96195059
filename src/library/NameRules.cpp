#include "library/NameRules.h"

#include "library/LibraryLayout.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/FolderPresence.h"
#include "platform/Locale.h"

#include <algorithm>
#include <array>

namespace zolvera::library {

namespace {

// C0 controls, DEL, and the C1 controls U+0080..U+009F (UTF-8 C2 80..C2 9F), which is where
// the bytes that Windows-1250 leaves unassigned end up.
bool holdsControlCharacter(std::string_view name) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (byte < 0x20 || byte == 0x7F)
            return true;
        if (byte == 0xC2 && i + 1 < name.size() && static_cast<unsigned char>(name[i + 1]) <= 0x9F)
            return true;
    }
    return false;
}

// Windows opens the device instead of a file for these names, whatever follows the first dot.
bool isDeviceName(std::string_view name) {
    const std::string_view stem = name.substr(0, name.find('.'));
    const bool device =
        std::ranges::any_of(std::array{"CON", "PRN", "AUX", "NUL"}, [&](const char* word) {
            return platform::equalsIgnoreCase(stem, word);
        });
    const bool numberedPort = stem.size() == 4 && stem[3] >= '1' && stem[3] <= '9' &&
                              (platform::equalsIgnoreCase(stem.substr(0, 3), "COM") ||
                               platform::equalsIgnoreCase(stem.substr(0, 3), "LPT"));
    return device || numberedPort;
}

} // namespace

bool isSingleFolderName(std::string_view name) {
    return name != "." && name != ".." && name.find(platform::kSeparator) == std::string::npos;
}

bool isPlainName(std::string_view name) {
    return !name.empty() && isSingleFolderName(name) &&
           name.find_first_of("\\:") == std::string_view::npos && !holdsControlCharacter(name);
}

bool isNewGroupName(std::string_view name) {
    return isPlainName(name) && name.find_first_of("*?\"<>|") == std::string_view::npos &&
           name.back() != '.' && name.back() != ' ' && !isDeviceName(name) &&
           platform::utf8ToAnsi(std::string(name)).has_value();
}

std::vector<bool> listedGroupsPresent(const std::string& appFolder,
                                      const std::vector<std::string>& entries) {
    std::vector<bool> present = platform::foldersPresent(groupsFolder(appFolder), entries);
    for (std::size_t i = 0; i < entries.size(); ++i)
        present[i] = present[i] && !entries[i].empty() && isSingleFolderName(entries[i]);
    return present;
}

} // namespace zolvera::library
