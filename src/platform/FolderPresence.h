#pragma once

#include <string>
#include <vector>

namespace zolvera::platform {

// For each name, whether folder + "/" + name is a folder, as folderExists() says for that path
// (letter case matched as resolve() matches it, links followed), found with one reading of the
// folder instead of a look-up per name: checking a hundred thousand names against a folder of
// a hundred thousand entries then costs a pass over each rather than a system call per name,
// or a reading of the whole folder per name spelled in another letter case. Names that are not
// a single component (empty, "." or "..", or holding a separator) are looked up one by one.
std::vector<bool> foldersPresent(const std::string& folder, const std::vector<std::string>& names);

} // namespace zolvera::platform
