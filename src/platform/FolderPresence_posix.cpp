#include "platform/FolderPresence.h"

#include "platform/DirHandle.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string_view>
#include <utility>

namespace zolvera::platform {

namespace {

using Position = std::uint32_t; // of a name in the list, kept small for long lists

bool isFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Whether the entry just read is a folder, or a link to one.
bool entryIsFolder(const dirent& entry, const std::string& folder) {
    switch (entry.d_type) {
    case DT_DIR:
        return true;
    case DT_LNK:
    case DT_UNKNOWN: // a file system that does not tell
        return isFolder(folder + kSeparator + entry.d_name);
    default:
        return false;
    }
}

bool isSingleComponent(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find(kSeparator) == std::string_view::npos;
}

bool isDotEntry(std::string_view name) {
    return name == "." || name == "..";
}

// Orders names held in some way against a bare name, for std::equal_range. The classic
// algorithms rather than std::ranges: clang 14, which builds the fuzzers, cannot compile
// libstdc++ 12's subrange.
template <typename NameOf> struct ByName {
    NameOf nameOf;
    template <typename Held> bool operator()(const Held& held, std::string_view name) const {
        return nameOf(held) < name;
    }
    template <typename Held> bool operator()(std::string_view name, const Held& held) const {
        return name < nameOf(held);
    }
};
template <typename NameOf> ByName(NameOf) -> ByName<NameOf>;

// The names that no entry spells exactly: the first entry in byte order that equals each
// without regard to case stands for it, as resolve() chooses.
void matchOtherSpellings(DIR* dir, const std::string& folder, const std::vector<std::string>& names,
                         const std::vector<Position>& unmatched, std::vector<bool>& present) {
    std::vector<std::pair<std::string, Position>> byFoldedName;
    byFoldedName.reserve(unmatched.size());
    for (const Position position : unmatched)
        byFoldedName.emplace_back(foldCase(names[position]), position);
    std::sort(byFoldedName.begin(), byFoldedName.end());
    const ByName byFolded{
        [](const std::pair<std::string, Position>& held) { return std::string_view(held.first); }};
    std::vector<std::string> spelling(byFoldedName.size());
    ::rewinddir(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (isDotEntry(name))
            continue;
        const std::string folded = foldCase(name);
        const auto [first, last] = std::equal_range(byFoldedName.begin(), byFoldedName.end(),
                                                    std::string_view(folded), byFolded);
        for (auto match = first; match != last; ++match) {
            std::string& chosen = spelling[std::size_t(match - byFoldedName.begin())];
            if (chosen.empty() || name < chosen)
                chosen = name;
        }
    }
    for (std::size_t i = 0; i < byFoldedName.size(); ++i)
        if (!spelling[i].empty())
            present[byFoldedName[i].second] = isFolder(folder + kSeparator + spelling[i]);
}

} // namespace

std::vector<bool> foldersPresent(const std::string& folder, const std::vector<std::string>& names) {
    std::vector<bool> present(names.size(), false);
    const std::string resolved = resolve(folder);
    const DirHandle dir(::opendir(resolved.c_str()));
    // Nothing is found under a folder that does not exist.
    const bool nothingThere = !dir && (errno == ENOENT || errno == ENOTDIR);
    std::vector<Position> byName; // the names to find in the listing, in byte order
    for (Position i = 0; i < names.size(); ++i) {
        if (dir && isSingleComponent(names[i]))
            byName.push_back(i);
        else if (!nothingThere)
            present[i] = folderExists(folder + kSeparator + names[i]);
    }
    if (byName.empty())
        return present;
    const ByName atName{[&](Position i) { return std::string_view(names[i]); }};
    std::sort(byName.begin(), byName.end(),
              [&](Position a, Position b) { return names[a] < names[b]; });

    std::vector<bool> matched(names.size(), false);
    while (const dirent* entry = ::readdir(dir.get())) {
        const auto [first, last] =
            std::equal_range(byName.begin(), byName.end(), std::string_view(entry->d_name), atName);
        if (first == last)
            continue;
        const bool isFolderEntry = entryIsFolder(*entry, resolved);
        for (auto match = first; match != last; ++match) {
            present[*match] = isFolderEntry;
            matched[*match] = true;
        }
    }
    std::vector<Position> unmatched;
    for (const Position position : byName)
        if (!matched[position])
            unmatched.push_back(position);
    if (!unmatched.empty())
        matchOtherSpellings(dir.get(), resolved, names, unmatched, present);
    return present;
}

} // namespace zolvera::platform
