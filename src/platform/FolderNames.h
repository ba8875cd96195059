#pragma once

#include <map>
#include <set>
#include <string>

namespace zolvera::platform {

// The names of one folder, read once and looked up as resolve() looks up a last component: the
// exact name when it exists, else the first variant in byte order that equals it without regard
// to case, in the folder as resolve() finds it. For writing many files into one folder without
// listing it again for every new name, which would make the work grow with the square of the count.
// Names made meanwhile by others are not seen.
class FolderNames {
public:
    explicit FolderNames(const std::string& folder);

    // folder + "/" + the entry the name stands for, or the name as written when none does.
    std::string pathOf(const std::string& name) const;
    // The entries equal to the name without regard to case, in byte order.
    std::set<std::string> spellingsOf(const std::string& name) const;
    // Records an entry made in the folder, or one removed from it.
    void add(const std::string& name);
    void remove(const std::string& name);

private:
    std::string folder_;
    std::map<std::string, std::set<std::string>> byFoldedName_;
};

} // namespace zolvera::platform
