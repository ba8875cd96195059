#pragma once

#include <string>
#include <string_view>

namespace zolvera::library {

// What the application folder is worked out from.
struct AppFolderSources {
    std::string homeVariable;  // ZOLVERA_HOME
    std::string programFolder; // the folder of the running program
    std::string dataHome;      // XDG_DATA_HOME
    std::string userHome;      // HOME
};

// The sources of this process: its environment and /proc/self/exe.
AppFolderSources currentAppFolderSources();

// The application folder, in this order of rules:
// 1. ZOLVERA_HOME, when it is set and not empty;
// 2. the program's folder, when it holds Zolvera.lst or Hatterek (in any letter case);
// 3. for an installed program, whose defaults lie at kDefaultsFromProgram beside its folder,
//    the per-user folder $XDG_DATA_HOME/zolvera (else ~/.local/share/zolvera), made from the
//    defaults when it does not exist: the templates and the help document, an empty Tmp, an
//    empty Hatterek and an empty group list; later starts bring it up to date with newer
//    defaults (see InstalledDefaults.h);
// 4. otherwise the program's folder.
// Never ends in a separator; a program in the root folder gets "". On a case-sensitive system
// it is not lower-cased, since that would name another folder. A per-user folder that cannot
// be made is still the answer: the first show then reports the missing group list.
std::string applicationFolder(const AppFolderSources& sources);

// applicationFolder(currentAppFolderSources()).
std::string findApplicationFolder();

} // namespace zolvera::library
