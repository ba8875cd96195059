#include "platform/FolderNames.h"

#include "platform/FileSystem.h"
#include "platform/Locale.h"

namespace zolvera::platform {

FolderNames::FolderNames(const std::string& folder) : folder_(resolve(folder)) {
    for (const std::string& name : listByMask(folder_ + kSeparator + "*"))
        if (name != "." && name != "..")
            add(name);
}

std::string FolderNames::pathOf(const std::string& name) const {
    if (names_.contains(name))
        return folder_ + kSeparator + name;
    const auto found = firstByFoldedName_.find(foldCase(name));
    return folder_ + kSeparator + (found != firstByFoldedName_.end() ? found->second : name);
}

void FolderNames::add(const std::string& name) {
    names_.insert(name);
    const auto [entry, inserted] = firstByFoldedName_.try_emplace(foldCase(name), name);
    if (!inserted && name < entry->second)
        entry->second = name;
}

} // namespace zolvera::platform
