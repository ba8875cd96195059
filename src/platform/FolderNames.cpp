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
    const auto found = byFoldedName_.find(foldCase(name));
    if (found == byFoldedName_.end() || found->second.contains(name))
        return folder_ + kSeparator + name;
    return folder_ + kSeparator + *found->second.begin();
}

std::set<std::string> FolderNames::spellingsOf(const std::string& name) const {
    const auto found = byFoldedName_.find(foldCase(name));
    return found != byFoldedName_.end() ? found->second : std::set<std::string>();
}

void FolderNames::add(const std::string& name) {
    byFoldedName_[foldCase(name)].insert(name);
}

void FolderNames::remove(const std::string& name) {
    const auto found = byFoldedName_.find(foldCase(name));
    if (found != byFoldedName_.end() && found->second.erase(name) != 0 && found->second.empty())
        byFoldedName_.erase(found);
}

} // namespace zolvera::platform
